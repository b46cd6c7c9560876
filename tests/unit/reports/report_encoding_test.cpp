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
        {"\xEF\xBB\xBF\xD6\xD0", kCodePageGbk, kCodePageUtf8, 3},     // the mark wins over the bytes
        {"P0101 \xE4\xB8\xAD\xE6\x96\x87", kCodePageGbk, kCodePageUtf8, 0},  // "中文" in UTF-8
        {"P0101 \xD6\xD0\xCE\xC4", kCodePageGbk, kCodePageGbk, 0},     // "中文" in GBK
        {"P0101 \xD6\xD0", kCodePageWestern, kCodePageWestern, 0},
        {"P0101 ASCII only", kCodePageGbk, kCodePageGbk, 0},
        {"\xE4\xB8\xAD\xE6\x96", kCodePageGbk, kCodePageGbk, 0},       // cut at the end
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
