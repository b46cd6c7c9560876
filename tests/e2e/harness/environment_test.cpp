// The end-to-end tests check GBK bytes as the program under test sees them, which it does only
// when Wine runs with code page 936 (scripts/wine-env.sh sets the locale for that).

#include <gtest/gtest.h>
#include <windows.h>

namespace e2e {
namespace {

TEST(WineEnvironment, CodePageIs936)
{
    EXPECT_EQ(GetACP(), 936u) << "run the tests through scripts/wine-env.sh, which sets LC_ALL and LOCPATH";
    EXPECT_TRUE(IsDBCSLeadByte(0xD6));
}

}  // namespace
}  // namespace e2e
