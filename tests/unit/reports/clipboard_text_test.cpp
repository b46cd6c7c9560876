#include "reports/ClipboardText.h"
#include "output/SaveAsName.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/test_support.h"

using namespace std::string_literals;

namespace {

TEST(ClipboardTextTest, EveryCrGetsAnLf)
{
    struct Row {
        const char* what;
        std::string viewer;
        std::string clipboard;
    };
    const Row rows[] = {
        {"empty viewer", "", ""},
        {"single view", "\rA\rB\rC", "\r\nA\r\nB\r\nC"},
        {"all-reports view", "\rA1\rA2\r\rB1\r\rC1\r", "\r\nA1\r\nA2\r\n\r\nB1\r\n\r\nC1\r\n"},
        {"CR at the end", "A\r", "A\r\n"},
        {"only CRs", "\r\r", "\r\n\r\n"},
        {"CR LF stays as it is", "A\r\nB", "A\r\nB"},
        {"CR CR LF", "A\r\r\nB", "A\r\n\r\nB"},
        {"a lone LF is kept", "A\nB", "A\nB"},
        {"LF CR", "\n\r", "\n\r\n"},
        {"other bytes are kept", "\xB3\xB5\t\x1A\0\r"s, "\xB3\xB5\t\x1A\0\r\n"s},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.what) + ": " + Escaped(row.viewer));
        EXPECT_EQ(CString(row.clipboard), ClipboardText(CString(row.viewer)));
    }
}

// The file name Save As proposes: the VIN as one plain name, or none, and the run's time to the
// minute, so that two scans of one car on one day get two names.
TEST(SaveAsNameTest, VinTimeAndReport)
{
    EXPECT_EQ(CString("LSVAU218XN2183294 2026-12-08 09-05 Live Data.txt"),
              SaveAsName("LSVAU218XN2183294", "2026-12-08 09:05:13", "Live Data"));
    EXPECT_EQ(CString("LSVAU218XN2183294 2026-12-08 16-40 Live Data.txt"),
              SaveAsName("LSVAU218XN2183294", "2026-12-08 16:40:59", "Live Data"));
    EXPECT_EQ(CString("2026-12-08 09-05 Report.txt"), SaveAsName("", "2026-12-08 09:05:13", "Report"));
    EXPECT_EQ(CString("_._x 2026-12-08 09-05 Report.txt"), SaveAsName("..\\..\\x", "2026-12-08 09:05:13", "Report"));
    // The reports' folder did not answer for their time.
    EXPECT_EQ(CString("LSVAU218XN2183294 Live Data.txt"), SaveAsName("LSVAU218XN2183294", "", "Live Data"));
    EXPECT_EQ(CString("Report.txt"), SaveAsName("", "", "Report"));
}

}  // namespace
