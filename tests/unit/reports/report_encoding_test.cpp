#include "reports/ReportEncoding.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/test_support.h"

TEST(ReportEncodingTest, MarkThenUtf8ThenTheDeviceCodePage)
{
    struct Row {
        std::string bytes;
        unsigned device, codePage;
        size_t markSize;
    };
    const Row rows[] = {
        {"\xEF\xBB\xBFP0101", kCodePageGbk, kCodePageUtf8, 3},
        {"\xFF\xFEP\0", kCodePageGbk, kCodePageUtf16Le, 2},
        {std::string("\xFE\xFF\0P", 4), kCodePageGbk, kCodePageUtf16Be, 2},
        {"\xEF\xBB\xBF\xE4\xB8\xAD", kCodePageGbk, kCodePageUtf8, 3}, // "中" after a UTF-8 mark
        {"\xEF\xBB\xBF\xD6\xD0\xCE\xC4", kCodePageGbk, kCodePageGbk, 3},  // a mark Notepad put before GBK
        {"P0101 \xE4\xB8\xAD\xE6\x96\x87", kCodePageGbk, kCodePageUtf8, 0},  // "中文" in UTF-8
        {"P0101 \xD6\xD0\xCE\xC4", kCodePageGbk, kCodePageGbk, 0},     // "中文" in GBK
        {"P0101 \xD6\xD0", kCodePageWestern, kCodePageWestern, 0},
        {"P0101 ASCII only", kCodePageGbk, kCodePageGbk, 0},
        {"\xE4\xB8\xAD\xE6\x96", kCodePageGbk, kCodePageUtf8, 0},      // cut at the end
        {"\xC2\xB0" "C \xE4\xB8\xAD\xE6\x96\x87 \xE6\xB8\xA9\xE5\xBA\xA6\xFF \xE5\xBD\x93\xE5\x89\x8D \xE5\x8E\x86\xE5\x8F\xB2", kCodePageGbk, kCodePageUtf8, 0},  // one stray byte
        {"\xC2\xB0" "C", kCodePageGbk, kCodePageUtf8, 0},             // "°C" is valid GBK too
        {"\xCF\xB5\xCD\xB3", kCodePageGbk, kCodePageGbk, 0},          // 系统, valid UTF-8 as well
        {"\xD7\xB4\xCC\xAC", kCodePageGbk, kCodePageGbk, 0},          // 状态
        {"\xD0\xA1\xCA\xB1", kCodePageGbk, kCodePageGbk, 0},          // 小时
        {"\xC7\xB0", kCodePageGbk, kCodePageGbk, 0},                  // 前
        {"\xCC\xA5\xD1\xB9", kCodePageGbk, kCodePageGbk, 0},          // 胎压
        {"System \xCF\xB5\xCD\xB3: ABS / C0035 \xD7\xB4\xCC\xAC OK", kCodePageGbk, kCodePageGbk, 0},
        {std::string("P\0" "0\0\xFB\x7E:\0", 8), kCodePageGbk, kCodePageUtf16Le, 0},  // no mark: "P0系:"
        {std::string("\0P\0" "0\x7E\xFB\0:", 8), kCodePageGbk, kCodePageUtf16Be, 0},
        {"\xC0\xAF \xE4\xB8\xAD", kCodePageGbk, kCodePageGbk, 0},      // overlong "/"
        {"\xF0\x80\x80\xAF", kCodePageGbk, kCodePageGbk, 0},           // overlong, four bytes
        {"\xED\xA0\x80", kCodePageGbk, kCodePageGbk, 0},               // a surrogate
        {"\xF4\x90\x80\x80", kCodePageGbk, kCodePageGbk, 0},           // past U+10FFFF
    };
    for (const Row& row : rows) {
        const ReportEncoding found = DetectedEncoding(row.bytes, row.device);
        EXPECT_EQ(found.codePage, row.codePage) << Escaped(row.bytes);
        EXPECT_EQ(found.markSize, row.markSize) << Escaped(row.bytes);
    }
}
