#include "tests/e2e/harness/WinePaths.h"

#include <windows.h>

#include <vector>

namespace e2e {

namespace {

// Exported by Wine's kernel32 only, hence looked up rather than linked.
using ToUnix = char*(__cdecl*)(const WCHAR*);
using ToDos = WCHAR*(__cdecl*)(const char*);

template <typename Function>
Function WineExport(const char* name)
{
    // Through void(*)(), the one type a function pointer converts from without a warning.
    const FARPROC found = GetProcAddress(GetModuleHandleA("kernel32.dll"), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

std::wstring Widen(const std::string& text, UINT codePage)
{
    const int size = MultiByteToWideChar(codePage, 0, text.c_str(), -1, nullptr, 0);
    if (size <= 0)
        return {};
    std::vector<WCHAR> wide(size);
    MultiByteToWideChar(codePage, 0, text.c_str(), -1, wide.data(), size);
    return wide.data();
}

std::string Narrow(const WCHAR* text, UINT codePage)
{
    const int size = WideCharToMultiByte(codePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::vector<char> narrow(size);
    WideCharToMultiByte(codePage, 0, text, -1, narrow.data(), size, nullptr, nullptr);
    return narrow.data();
}

}  // namespace

std::string DosPath(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return path;
    const auto toDos = WineExport<ToDos>("wine_get_dos_file_name");
    if (!toDos)
        return {};
    WCHAR* dos = toDos(path.c_str());
    if (!dos)
        return {};
    std::string result = Narrow(dos, CP_ACP);
    HeapFree(GetProcessHeap(), 0, dos);
    return result;
}

std::string UnixPath(const std::string& windowsPath)
{
    const auto toUnix = WineExport<ToUnix>("wine_get_unix_file_name");
    if (!toUnix)
        return {};
    char* unix = toUnix(Widen(windowsPath, CP_ACP).c_str());
    if (!unix)
        return {};
    std::string result = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

std::string PathFromEnvironment(const char* name)
{
    // Read wide: a Unix path is UTF-8, which the ANSI code page would not carry.
    WCHAR value[MAX_PATH * 2];
    const DWORD length = GetEnvironmentVariableW(Widen(name, CP_ACP).c_str(), value, MAX_PATH * 2);
    if (length == 0 || length >= MAX_PATH * 2)
        return {};
    return value[0] == L'/' ? DosPath(Narrow(value, CP_UTF8)) : Narrow(value, CP_ACP);
}

}  // namespace e2e
