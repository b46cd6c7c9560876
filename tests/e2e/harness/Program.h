#pragma once
// The program under test as a process: started the way a user starts it, waited for, and
// ended at the end of the test however the test went, so that no window outlives it.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace e2e {

using EnvironmentOverrides = std::vector<std::pair<std::string, std::string>>;

class Program {
public:
    Program() = default;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program();  // Kill()

    // Starts `path` (a Windows path) with `commandLineArguments`, in `workingDirectory` (the
    // harness's own when empty), with this process's environment plus `environment`.
    ::testing::AssertionResult Start(const std::string& path, const std::string& workingDirectory = {},
                                     const std::string& commandLineArguments = {},
                                     const EnvironmentOverrides& environment = {});

    // Starts `path` from Unix under `unixLocale`, which Wine takes the code page and the dialog
    // font from as a program starts; a program started from this one would get this one's.
    ::testing::AssertionResult StartUnderLocale(const std::string& path, const std::string& unixLocale);

    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }
    bool Running() const;

    // Waits for the program to end by itself; its exit code in *exitCode.
    ::testing::AssertionResult WaitForExit(DWORD timeoutMs, DWORD* exitCode);

    // Ends the program if it still runs and waits until its windows are gone.
    void Kill();

private:
    PROCESS_INFORMATION info_{};
};

}  // namespace e2e
