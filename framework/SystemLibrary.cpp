#include "framework/SystemLibrary.h"

#include <string>

void SearchLibrariesInSystemFolderOnly()
{
    // Windows 7 has the call only with an update, so it is looked up rather than imported.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const auto setDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDirectories) setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Without it, at least the current folder goes.
    ::SetDllDirectoryA("");
}

HMODULE LoadSystemLibrary(const char* name)
{
    char folder[MAX_PATH] = "";
    const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    return ::LoadLibraryA((std::string(folder) + "\\" + name).c_str());
}
