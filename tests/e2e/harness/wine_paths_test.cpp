// ctest hands the program's path over as a Unix path; the tests need it as Windows sees it.

#include "tests/e2e/harness/WinePaths.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace e2e {
namespace {

TEST(WinePaths, EnvironmentPathBecomesWindowsPath)
{
    SetEnvironmentVariableA("E2E_PATH_PROBE", "/usr/bin");
    const std::string windows = PathFromEnvironment("E2E_PATH_PROBE");
    EXPECT_EQ(windows, "Z:\\usr\\bin");
    EXPECT_NE(GetFileAttributesA(windows.c_str()), INVALID_FILE_ATTRIBUTES) << windows;
    EXPECT_EQ(UnixPath(windows), "/usr/bin");

    SetEnvironmentVariableA("E2E_PATH_PROBE", "C:\\windows");
    EXPECT_EQ(PathFromEnvironment("E2E_PATH_PROBE"), "C:\\windows");

    SetEnvironmentVariableA("E2E_PATH_PROBE", nullptr);
    EXPECT_EQ(PathFromEnvironment("E2E_PATH_PROBE"), "");
}

}  // namespace
}  // namespace e2e
