#pragma once
// Unix programs started from a test under Wine, the way Wine starts its own Unix tools: beside
// Wine, not in it. CreateProcess is no way to start them: for a program that is not a Windows
// one, Wine reports success with thread and process handles it never set, and closing those
// stray values closes whatever handles of this process they happen to name.
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// Runs `arguments`, the program first (looked up on PATH). Waiting: the program's exit status.
// Not waiting: 0 once it has started. Otherwise nonzero: it could not be started.
inline LONG SpawnUnix(std::vector<std::string> arguments, bool wait)
{
    using Spawn = LONG(CDECL*)(char* const argv[], int wait);
    static const auto spawn = reinterpret_cast<Spawn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp")));
    if (!spawn) return -1;  // not under Wine
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    return spawn(argv.data(), wait);
}

}  // namespace e2e
