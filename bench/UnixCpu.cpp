#include "bench/UnixCpu.h"

#include <windows.h>

#include <cstdlib>
#include <string>

namespace bench {

namespace {

// A /proc file reads as empty-sized, so it is read until its end.
std::string ReadUnixFile(const std::string& unixPath)
{
    std::string dosPath = "Z:" + unixPath;
    for (char& c : dosPath)
        if (c == '/') c = '\\';
    const HANDLE file = CreateFileA(dosPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string text;
    char piece[4096];
    DWORD got = 0;
    while (ReadFile(file, piece, sizeof piece, &got, nullptr) && got) text.append(piece, got);
    CloseHandle(file);
    return text;
}

// The names in a /proc folder that are numbers: processes, or a process's threads.
std::vector<int> NumberedEntries(const std::string& unixFolder)
{
    std::vector<int> numbers;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(("Z:" + unixFolder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return numbers;
    do {
        char* end = nullptr;
        const long number = std::strtol(found.cFileName, &end, 10);
        if (end != found.cFileName && !*end) numbers.push_back(static_cast<int>(number));
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return numbers;
}

bool StartsWithNoCase(const std::string& text, const std::string& start)
{
    return text.size() >= start.size() && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, text.c_str(),
                                                         static_cast<int>(start.size()), start.c_str(),
                                                         static_cast<int>(start.size())) == CSTR_EQUAL;
}

}  // namespace

std::vector<int> UnixPidsNamed(const std::string& name)
{
    char prefix[MAX_PATH * 2] = "";
    GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
    const std::string ownPrefix = std::string("WINEPREFIX=") + prefix;
    std::vector<int> pids;
    for (int pid : NumberedEntries("/proc")) {
        const std::string proc = "/proc/" + std::to_string(pid);
        // Wine writes a Windows program's path over its command line; the server keeps its Unix one.
        const std::string command = ReadUnixFile(proc + "/cmdline");
        const std::string program = command.substr(0, command.find('\0'));
        if (!StartsWithNoCase(program.substr(program.find_last_of("\\/") + 1), name)) continue;
        const std::string environment = '\0' + ReadUnixFile(proc + "/environ");
        if (environment.find('\0' + ownPrefix + '\0') != std::string::npos) pids.push_back(pid);
    }
    return pids;
}

UnixCpu UnixCpuOf(int pid)
{
    UnixCpu cpu;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    for (int task : NumberedEntries(tasks)) {
        // "run time in ns, time waiting to run in ns, timeslices run"
        const std::string line = ReadUnixFile(tasks + "/" + std::to_string(task) + "/schedstat");
        char* end = nullptr;
        cpu.runNs += std::strtoull(line.c_str(), &end, 10);
        std::strtoull(end, &end, 10);
        cpu.slices += std::strtoull(end, &end, 10);
    }
    return cpu;
}

}  // namespace bench
