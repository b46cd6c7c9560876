#include "tests/e2e/harness/Program.h"

#include "tests/e2e/harness/TopLevelWindows.h"
#include "tests/e2e/harness/UnixSpawn.h"
#include "tests/e2e/harness/Wait.h"

#include <tlhelp32.h>

#include <map>

namespace e2e {

namespace {

struct NoCase {
    bool operator()(const std::string& a, const std::string& b) const { return lstrcmpiA(a.c_str(), b.c_str()) < 0; }
};

// This process's environment with the overrides applied, as the block CreateProcessA takes:
// NAME=value strings one after another, sorted, ending with an empty string.
std::vector<char> EnvironmentBlock(const EnvironmentOverrides& overrides)
{
    std::map<std::string, std::string, NoCase> variables;
    if (char* block = GetEnvironmentStringsA()) {
        for (const char* entry = block; *entry; entry += lstrlenA(entry) + 1) {
            const std::string text = entry;
            // Entries such as "=C:=C:\" start with '=': the name runs to the second '='.
            const auto equals = text.find('=', 1);
            if (equals != std::string::npos)
                variables[text.substr(0, equals)] = text.substr(equals + 1);
        }
        FreeEnvironmentStringsA(block);
    }
    for (const auto& [name, value] : overrides)
        variables[name] = value;

    std::vector<char> result;
    for (const auto& [name, value] : variables) {
        const std::string entry = name + "=" + value;
        result.insert(result.end(), entry.begin(), entry.end());
        result.push_back('\0');
    }
    result.push_back('\0');
    return result;
}

}  // namespace

Program::~Program()
{
    Kill();
}

::testing::AssertionResult Program::Start(const std::string& path, const std::string& workingDirectory,
                                          const std::string& commandLineArguments,
                                          const EnvironmentOverrides& environment)
{
    if (info_.hProcess)
        return ::testing::AssertionFailure() << "a program was already started: " << path;

    std::string commandLine = "\"" + path + "\"";
    if (!commandLineArguments.empty())
        commandLine += " " + commandLineArguments;
    std::vector<char> mutableCommandLine(commandLine.begin(), commandLine.end());
    mutableCommandLine.push_back('\0');
    std::vector<char> block;
    if (!environment.empty())
        block = EnvironmentBlock(environment);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(path.c_str(), mutableCommandLine.data(), nullptr, nullptr, FALSE, 0,
                        block.empty() ? nullptr : block.data(),
                        workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup, &info_)) {
        const DWORD error = GetLastError();
        info_ = {};
        return ::testing::AssertionFailure() << "cannot start \"" << path << "\" in \"" << workingDirectory
                                             << "\": error " << error;
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult Program::StartUnderLocale(const std::string& path, const std::string& unixLocale)
{
    if (info_.hProcess || SpawnUnix({"env", "LC_ALL=" + unixLocale, "wine", path}, false))
        return ::testing::AssertionFailure() << "cannot start " << path << " from Unix";
    // Known by its name: it is the only one of that name while a test runs it.
    const std::string name = path.substr(path.find_last_of('\\') + 1);
    WaitUntil([&] {
        const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32 entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32First(snapshot, &entry); more && !info_.hProcess; more = Process32Next(snapshot, &entry))
            if (!lstrcmpiA(entry.szExeFile, name.c_str()))
                info_.hProcess = OpenProcess(PROCESS_ALL_ACCESS, FALSE, info_.dwProcessId = entry.th32ProcessID);
        CloseHandle(snapshot);
        return info_.hProcess != nullptr;
    });
    return info_.hProcess ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << path << " did not start";
}

bool Program::Running() const
{
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

::testing::AssertionResult Program::WaitForExit(DWORD timeoutMs, DWORD* exitCode)
{
    if (!info_.hProcess)
        return ::testing::AssertionFailure() << "no program was started";
    // Pumping while waiting: a program that broadcasts to all top-level windows would otherwise
    // wait for this thread's.
    if (!WaitUntil([this] { return !Running(); }, timeoutMs))
        return ::testing::AssertionFailure() << "process " << Id() << " still runs after " << timeoutMs << " ms";
    if (exitCode)
        GetExitCodeProcess(info_.hProcess, exitCode);
    return ::testing::AssertionSuccess();
}

void Program::Kill()
{
    if (!info_.hProcess)
        return;
    const DWORD id = Id();
    if (Running()) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, kDefaultTimeoutMs);
    }
    // Wine destroys the windows of a process it ends, but the next test's window search must
    // not find one of them, so that is checked rather than assumed.
    EXPECT_TRUE(WaitUntil([id] { return WindowsOfProcess(id).empty(); }))
        << "windows of process " << id << " remain after it ended";
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
    info_ = {};
}

}  // namespace e2e
