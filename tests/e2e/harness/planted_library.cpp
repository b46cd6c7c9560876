// Stands in for a library that someone dropped next to the program under a system library's
// name: loaded, it leaves the file "planted-library-ran" beside itself, and refuses to stay.
#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    char path[MAX_PATH] = "";
    const DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
    std::string marker(path, length);
    marker = marker.substr(0, marker.find_last_of('\\') + 1) + "planted-library-ran";
    CloseHandle(CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return FALSE;
}
