#include "reports/ReportText.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/test_support.h"

// Rows: a file's bytes, the encoding chosen (0: Automatic), the viewer text.
TEST(ReportTextTest, ReadsEachEncodingWithoutItsMark)
{
    const struct { std::string bytes; unsigned chosen; std::string text; } rows[] = {
        {"\xEF\xBB\xBF\xD6\xD0\xCE\xC4", kCodePageGbk, "\r\n中文"},           // GBK chosen on a UTF-8 mark
        {"\xEF\xBB\xBF\xD6\xD0\xCE\xC4", 0, "\r\n中文"},                      // found so without a choice
        {std::string("\xFF\xFEP\0\r\0\n\0", 8), kCodePageWestern, "\r\nP\r\n"},  // no "ÿþ"
        {std::string("\xFE\xFF\xD8\x3D\xDE\x97\xDC\x00", 8), 0, "\r\n\xF0\x9F\x9A\x97\xEF\xBF\xBD"},  // a pair, a lone half
        {"A\xFF\xE4\xB8\xAD\xE6\x96\x87\xE4\xB8\xAD\xE6\x96\x87\xE4\xB8\xAD\xE6\x96\x87\xE4\xB8\xAD\xE6\x96\x87", 0,
         "\r\nA\xEF\xBF\xBD中文中文中文中文"},                                  // a stray byte shown as U+FFFD
    };
    for (const auto& row : rows) {
        const ReportEncoding encoding = row.chosen ? ChosenEncoding(row.bytes, row.chosen) : AutomaticEncoding(row.bytes);
        EXPECT_EQ(row.text, ReportText(row.bytes, encoding)) << Escaped(row.bytes);
    }
}
