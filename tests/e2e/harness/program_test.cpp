// Starting, waiting for and ending programs, with cmd.exe and notepad.exe from the prefix as
// the programs: every one of them is there in any Wine prefix.

#include "tests/e2e/harness/Program.h"
#include "tests/e2e/harness/ScratchFolder.h"
#include "tests/e2e/harness/TopLevelWindows.h"
#include "tests/e2e/harness/Wait.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

constexpr const char* kCmd = "C:\\windows\\system32\\cmd.exe";

DWORD ExitCodeOf(const std::string& arguments, const std::string& directory = "C:\\",
                 const EnvironmentOverrides& environment = {})
{
    Program cmd;
    EXPECT_TRUE(cmd.Start(kCmd, directory, arguments, environment));
    DWORD code = 0xDEAD;
    EXPECT_TRUE(cmd.WaitForExit(kDefaultTimeoutMs, &code));
    return code;
}

TEST(Program, StartsWithDirectoryAndEnvironment)
{
    EXPECT_EQ(ExitCodeOf("/c exit 7"), 7u);

    ScratchFolder folder;
    ASSERT_TRUE(folder.WriteFile("marker.txt", "x"));
    EXPECT_EQ(ExitCodeOf("/c if exist marker.txt (exit 5) else (exit 6)", folder.Path()), 5u);
    EXPECT_EQ(ExitCodeOf("/c if exist marker.txt (exit 5) else (exit 6)"), 6u);

    EXPECT_EQ(ExitCodeOf("/c if \"%E2E_PROBE%\"==\"on\" (exit 8) else (exit 9)", "C:\\", {{"E2E_PROBE", "on"}}), 8u);
    EXPECT_EQ(ExitCodeOf("/c if \"%E2E_PROBE%\"==\"on\" (exit 8) else (exit 9)"), 9u);
}

TEST(Program, ReportsWhatCannotStart)
{
    Program missing;
    EXPECT_FALSE(missing.Start("C:\\no\\such\\program.exe"));
    EXPECT_FALSE(missing.Running());
    EXPECT_FALSE(missing.WaitForExit(0, nullptr));
}

TEST(Program, KillLeavesNoWindow)
{
    Program notepad;
    ASSERT_TRUE(notepad.Start("C:\\windows\\notepad.exe", "C:\\"));
    const DWORD id = notepad.Id();
    EXPECT_NE(WaitForVisibleWindow(id, "Notepad"), nullptr);

    DWORD code = 0;
    EXPECT_FALSE(notepad.WaitForExit(0, &code)) << "notepad ended by itself";
    notepad.Kill();
    EXPECT_TRUE(WindowsOfProcess(id).empty());
    EXPECT_FALSE(notepad.Running());
}

}  // namespace
}  // namespace e2e
