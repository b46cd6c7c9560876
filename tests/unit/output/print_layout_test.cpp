#include "output/PrintLayout.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

TEST(PrintLayoutTest, ScalesToResolution)
{
    struct Row {
        int units600, dpi, expected;
    };
    const Row rows[] = {
        {120, 72, 14},  {100, 96, 16},                // 14.4 rounds down; 16.0
        {1, 300, 1},    {1, 299, 0},   {3, 100, 1},   // 0.5 rounds up; just under a half; 0.5
        {-1, 300, -1},  {-120, 300, -60}, {0, 1200, 0},  // halves round away from zero on both sides
        {120, 0, 120},  {120, -300, 120},             // no resolution known: taken as 600
        {2000000000, 300, 1000000000},  // the product needs 64 bits
        {2000000000, 1200, INT_MAX},    // a result beyond int is held at its limit
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.units600) + " at " + std::to_string(row.dpi) + " dpi");
        EXPECT_EQ(row.expected, ScaleToDevice(row.units600, row.dpi));
    }
}

TEST(PrintLayoutTest, MetricsForResolution)
{
    struct Row {
        PrintGeometry geometry;
        PrintMetrics expected;
    };
    // The metrics in the order they are declared, so that a row's whole result compares at once.
    const auto fields = [](const PrintMetrics& m) {
        return std::vector<int>{m.left,      m.vinTop,    m.firstLineTop, m.nextPageTop, m.lineStep,
                                m.fontHeight, m.lineWidth, m.footerTop,    m.bodyBottom};
    };
    const Row rows[] = {
        // The footer's cell ends 120 units above the bottom; the body ends a line step above it.
        {{600, 600, 4800, 6600}, {120, 120, 360, 120, 120, 100, 4560, 6380, 6260}},
        {{300, 300, 2400, 3300}, {60, 60, 180, 60, 60, 50, 2280, 3190, 3130}},
        {{600, 1200, 4800, 13200}, {120, 240, 720, 240, 240, 200, 4560, 12760, 12520}},   // x and y scale apart
        {{1200, 600, 9600, 6600}, {240, 120, 360, 120, 120, 100, 9120, 6380, 6260}},
        {{0, 0, 4800, 6600}, {120, 120, 360, 120, 120, 100, 4560, 6380, 6260}},         // unknown resolution
        {{600, 600, 240, 6600}, {120, 120, 360, 120, 120, 100, 1, 6380, 6260}},         // no room: still one unit
        {{600, 600, 0, 0}, {120, 120, 360, 120, 120, 100, 1, -220, -340}},
        {{600, 600, 241, 6600}, {120, 120, 360, 120, 120, 100, 1, 6380, 6260}},
        {{600, 600, 242, 6600}, {120, 120, 360, 120, 120, 100, 2, 6380, 6260}},
        {A4At600Dpi(), {120, 120, 360, 120, 120, 100, 4721, 6796, 6676}},          // no printer: a whole A4 sheet
    };
    for (const Row& row : rows) {
        const PrintGeometry& g = row.geometry;
        SCOPED_TRACE(std::to_string(g.dpiX) + "x" + std::to_string(g.dpiY) + " dpi, page " +
                     std::to_string(g.pageWidth) + "x" + std::to_string(g.pageHeight));
        EXPECT_EQ(fields(row.expected), fields(MetricsFor(g)));
    }
}

// How many lines each page holds.
std::vector<int> LinesPerPage(const std::vector<PlacedLine>& placed)
{
    std::vector<int> counts;
    for (const PlacedLine& one : placed) {
        if (one.page >= static_cast<int>(counts.size())) counts.resize(static_cast<size_t>(one.page) + 1, 0);
        ++counts[static_cast<size_t>(one.page)];
    }
    return counts;
}

PrintMetrics MetricsAt(int dpi) { return MetricsFor(PrintGeometry{dpi, dpi, 8 * dpi, 11 * dpi}); }

// How many lines each page of a job holds.
struct PagingRow {
    int dpi, pageHeight, lineCount;
    std::vector<int> linesPerPage;
};

std::string Describe(const PagingRow& row)
{
    return std::to_string(row.lineCount) + " lines at " + std::to_string(row.dpi) + " dpi, height " +
           std::to_string(row.pageHeight);
}

TEST(PrintLayoutTest, HowManyLinesFit)
{
    const PagingRow rows[] = {
        // 600 dpi: lines at 360, 480, ... on the first page, 120, 240, ... on the others;
        // a line fits while its top + 100 stays within the page height.
        {600, 1000, 15, {5, 7, 3}},
        {600, 940, 5, {5}},          // the fifth line ends exactly at the bottom
        {600, 939, 5, {4, 1}},       // one unit short
        {600, 940, 0, {}},
        {600, 6814, 200, {53, 55, 55, 37}},  // an A4 printable area
        {300, 3407, 200, {53, 55, 55, 37}},  // the same page at other resolutions
        {1200, 13628, 200, {53, 55, 55, 37}},
    };
    for (const PagingRow& row : rows) {
        SCOPED_TRACE(Describe(row));
        const std::vector<PlacedLine> placed = PlaceLines(row.lineCount, MetricsAt(row.dpi), row.pageHeight);
        EXPECT_EQ(row.linesPerPage, LinesPerPage(placed));
        EXPECT_EQ(row.linesPerPage.empty() ? 1 : static_cast<int>(row.linesPerPage.size()), PageCount(placed));
    }
}

// On paper the lines end above the body's bottom, which keeps the footer's room free on every page.
TEST(PrintLayoutTest, FooterKeepsItsRoom)
{
    const PagingRow rows[] = {
        {600, 6814, 200, {51, 53, 53, 43}},  // an A4 printable area, two lines fewer a page than without a footer
        {300, 3508, 200, {52, 54, 54, 40}},  // a whole A4 sheet, as the tests' PDF printer has it
        {600, 6814, 51, {51}},              // the first page full, the footer still on it
        {600, 6814, 52, {51, 1}},
        {600, 1200, 6, {4, 2}},             // 720 + 100 ends within a body ending at 860, 840 + 100 does not
    };
    for (const PagingRow& row : rows) {
        SCOPED_TRACE(Describe(row));
        const PrintMetrics m = MetricsFor(PrintGeometry{row.dpi, row.dpi, 8 * row.dpi, row.pageHeight});
        const std::vector<PlacedLine> placed = PlaceLines(row.lineCount, m, m.bodyBottom);
        EXPECT_EQ(row.linesPerPage, LinesPerPage(placed));
        for (const PlacedLine& line : placed)
            EXPECT_LE(line.y + m.fontHeight + m.lineStep, m.footerTop) << "line " << line.line << " crowds the footer";
    }
}

TEST(PrintLayoutTest, TinyPageStillProgresses)
{
    // Page height and line count.
    for (const auto& [pageHeight, lineCount] : {std::pair{0, 4}, {50, 4}, {219, 3}, {-100, 2}, {1, 1}}) {
        SCOPED_TRACE("height " + std::to_string(pageHeight));
        const std::vector<PlacedLine> placed = PlaceLines(lineCount, MetricsAt(600), pageHeight);
        ASSERT_EQ(static_cast<size_t>(lineCount), placed.size());
        for (size_t k = 0; k < placed.size(); ++k) {
            EXPECT_EQ(static_cast<int>(k), placed[k].page) << "one line per page";
            EXPECT_EQ(k == 0 ? 360 : 120, placed[k].y);
        }
        EXPECT_EQ(lineCount, PageCount(placed));
    }
}

TEST(PrintLayoutTest, EveryLineOnceInOrder)
{
    for (int dpi : {300, 600, 1200}) {
        const PrintMetrics m = MetricsAt(dpi);
        for (int pageHeight : {0, m.firstLineTop + m.fontHeight - 1, m.firstLineTop + m.fontHeight, 1000, 11 * dpi}) {
            for (int lineCount : {0, 1, 2, 7, 100, 1000}) {
                SCOPED_TRACE(std::to_string(lineCount) + " lines at " + std::to_string(dpi) + " dpi, height " +
                             std::to_string(pageHeight));
                const std::vector<PlacedLine> placed = PlaceLines(lineCount, m, pageHeight);
                ASSERT_EQ(static_cast<size_t>(lineCount), placed.size());
                for (size_t k = 0; k < placed.size(); ++k) {
                    const PlacedLine& here = placed[k];
                    ASSERT_EQ(static_cast<int>(k), here.line);
                    const bool firstOnPage = k == 0 || placed[k - 1].page != here.page;
                    if (firstOnPage) {
                        EXPECT_EQ(k == 0 ? 0 : placed[k - 1].page + 1, here.page) << "line " << k;
                        EXPECT_EQ(here.page == 0 ? m.firstLineTop : m.nextPageTop, here.y) << "line " << k;
                    } else {
                        EXPECT_EQ(placed[k - 1].y + m.lineStep, here.y) << "line " << k;
                        EXPECT_LE(here.y + m.fontHeight, pageHeight) << "line " << k << " runs off the page";
                    }
                    // A line goes on a new page only because it did not fit on the one before.
                    if (firstOnPage && k > 0) {
                        EXPECT_GT(placed[k - 1].y + m.lineStep + m.fontHeight, pageHeight) << "line " << k;
                    }
                }
                EXPECT_EQ(placed.empty() ? 1 : placed.back().page + 1, PageCount(placed));
            }
        }
    }
}

}  // namespace
