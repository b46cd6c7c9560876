#include "output/PrintFooter.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "tests/unit/test_support.h"

namespace {

TEST(PrintFooterTest, Texts)
{
    struct Row {
        const char *vin, *date, *time;
        int page, pages;
        const char *printedAt, *pageNumber;
    };
    const Row rows[] = {
        {"LSVAU2180N2183294", "2026/12/8", "9:05", 1, 1, "2026/12/8 9:05", "Page 1 of 1"},
        {"LSVAU2180N2183294", "2026/12/8", "9:05", 12, 780, "2026/12/8 9:05", "Page 12 of 780"},
        {"", "08.12.2026", "", 2, 3, "08.12.2026", "Page 2 of 3"},  // no time to be had: the date alone
        {"\xC6\xF8\xB8\xD7", "", "21:40", 3, 3, "21:40", "Page 3 of 3"},
        {"VIN", "", "", 1, 1, "", "Page 1 of 1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.pageNumber) + ", " + row.printedAt);
        const PrintFooter footer = FooterFor(row.vin, row.date, row.time, row.page, row.pages);
        EXPECT_EQ(CString(row.vin), footer.vin);
        EXPECT_EQ(CString(row.printedAt), footer.printedAt);
        EXPECT_EQ(CString(row.pageNumber), footer.pageNumber);
    }
}

TEST(PrintFooterTest, PiecesNeverOverlap)
{
    struct Row {
        const char* name;
        int left, lineWidth, gap, vin, printedAt, pageNumber;
        FooterPositions expected;
    };
    const Row rows[] = {
        {"room for all", 60, 2280, 10, 500, 400, 300, {60, 1000, 2040}},
        {"a long VIN moves the time right", 60, 2280, 10, 1200, 400, 300, {60, 1270, 2040}},
        {"then the page number", 60, 2280, 10, 1500, 600, 300, {60, 1570, 2180}},
        {"narrower than the pieces: they follow each other", 0, 100, 5, 80, 60, 40, {0, 85, 150}},
        {"nothing to print", 0, 0, 0, 0, 0, 0, {0, 0, 0}},
        {"beyond int: held at the limit", INT_MAX - 10, 100, 10, INT_MAX, 10, 10, {INT_MAX - 10, INT_MAX, INT_MAX}},
    };
    const auto xs = [](const FooterPositions& p) { return std::vector<int>{p.vinX, p.printedAtX, p.pageNumberX}; };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const FooterPositions at = PlaceFooter(row.left, row.lineWidth, row.gap, row.vin, row.printedAt, row.pageNumber);
        EXPECT_EQ(xs(row.expected), xs(at));
    }
}

}  // namespace
