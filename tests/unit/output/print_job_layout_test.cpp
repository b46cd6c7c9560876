#include "output/PrintJobLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/test_support.h"

namespace {

// Every single-byte character 50 units wide and every double-byte one 100, so a line's width
// can be counted off its text; twice that in the name's face.
int FakeCharWidth(const char*, size_t length) { return 50 * static_cast<int>(length); }
int FakeTextWidth(const CString& text) { return 50 * text.GetLength(); }
int FakeHeadingWidth(const char*, size_t length) { return 100 * static_cast<int>(length); }

// Writes down what is drawn, a line each: "p1 x120 y360 P0301", pages counted from 1; the
// workshop's name as "p1 x120 y120 bold Name", a rule as "p1 x120 y580 rule 1760x4".
class PageRecording : public PageCanvas {
public:
    void Text(int x, int y, const CString& text) override
    {
        listing.push_back("p" + std::to_string(page + 1) + " x" + std::to_string(x) + " y" + std::to_string(y) + " " +
                          text.Bytes());
    }
    void Heading(int x, int y, const CString& text) override { Text(x, y, "bold " + text); }
    void Rule(int x, int y, int width, int thickness) override
    {
        Text(x, y, CString("rule " + std::to_string(width) + "x" + std::to_string(thickness)));
    }
    int page = 0;
    std::vector<std::string> listing;
};

std::vector<std::string> Recorded(const PrintJobLayout& job)
{
    PageRecording recording;
    for (; recording.page < job.PageCount(); ++recording.page) job.DrawPage(recording, recording.page);
    return recording.listing;
}

TEST(PrintJobLayoutTest, WhatEachPageDraws)
{
    struct Row {
        const char* name;
        int pageWidth, pageHeight;  // at 600 dpi: VIN at 120, lines from 360, footer 220 above the bottom
        const char* viewerText;
        std::vector<std::string> listing;
        WorkshopDetails workshop{};  // none: the page as without a header
        const char* jobLine = "";
    };
    const Row rows[] = {
        {"one page: VIN, blank line, lines, footer centred and right-aligned", 2000, 1200, "P0301 misfire\rP0420",
         {"p1 x120 y120 VIN1", "p1 x120 y240 ", "p1 x120 y360 P0301 misfire", "p1 x120 y480 P0420",
          "p1 x120 y980 VIN1", "p1 x775 y980 8.12 9:05", "p1 x1330 y980 Page 1 of 1"}},
        {"no text: the VIN page alone", 2000, 1200, "",
         {"p1 x120 y120 VIN1", "p1 x120 y240 ", "p1 x120 y980 VIN1", "p1 x775 y980 8.12 9:05",
          "p1 x1330 y980 Page 1 of 1"}},
        {"wrapped after the last space that fits, and between Chinese characters; a narrow footer follows on",
         1000, 1300, "aaaa bbbb cccc dddd\r\xC6\xF8\xC6\xF8\xC6\xF8\xC6\xF8\xC6\xF8\xC6\xF8\xC6\xF8\xC6\xF8",
         {"p1 x120 y120 VIN1", "p1 x120 y240 ", "p1 x120 y360 aaaa bbbb cccc ", "p1 x120 y480 dddd",
          "p1 x120 y600 \xC6\xF8\xC6\xF8\xC6\xF8\xC6\xF8\xC6\xF8\xC6\xF8\xC6\xF8", "p1 x120 y720 \xC6\xF8",
          "p1 x120 y1080 VIN1", "p1 x370 y1080 8.12 9:05", "p1 x870 y1080 Page 1 of 1"}},
        {"further pages start at 120; a line goes on only while a line step stays free above the footer", 2000,
         900, "L1\rL2\r\rL4\rL5",
         {"p1 x120 y120 VIN1", "p1 x120 y240 ", "p1 x120 y360 L1", "p1 x120 y680 VIN1",
          "p1 x775 y680 8.12 9:05", "p1 x1330 y680 Page 1 of 3",  //
          "p2 x120 y120 L2", "p2 x120 y240 ", "p2 x120 y360 L4", "p2 x120 y680 VIN1", "p2 x775 y680 8.12 9:05",
          "p2 x1330 y680 Page 2 of 3",  //
          "p3 x120 y120 L5", "p3 x120 y680 VIN1", "p3 x775 y680 8.12 9:05", "p3 x1330 y680 Page 3 of 3"}},
        {"a workshop header moves page 1's VIN and lines down; the next page starts at 120 as before", 2000, 1400,
         "L1\rL2\rL3",
         {"p1 x120 y120 bold Garage", "p1 x120 y300 1 Road", "p1 x120 y420 555 01", "p1 x120 y580 rule 1760x4",
          "p1 x120 y660 VIN1", "p1 x120 y780 ", "p1 x120 y900 L1", "p1 x120 y1180 VIN1", "p1 x775 y1180 8.12 9:05",
          "p1 x1330 y1180 Page 1 of 2",  //
          "p2 x120 y120 L2", "p2 x120 y240 L3", "p2 x120 y1180 VIN1", "p2 x775 y1180 8.12 9:05",
          "p2 x1330 y1180 Page 2 of 2"},
         {"Garage", "1 Road", "", "555 01", ""}},
        {"header lines wider than the page go on below, the name's a name step apart", 1000, 1500, "L1",
         {"p1 x120 y120 bold Kwik ", "p1 x120 y300 bold Garage", "p1 x120 y480 12 Mill Road ", "p1 x120 y600 Leeds",
          "p1 x120 y760 rule 760x4", "p1 x120 y840 VIN1", "p1 x120 y960 ", "p1 x120 y1080 L1",
          "p1 x120 y1280 VIN1", "p1 x370 y1280 8.12 9:05", "p1 x870 y1280 Page 1 of 1"},
         {"Kwik Garage", "12 Mill Road Leeds", "", "", ""}},
        {"the job line goes under the header, and at the top of every further page before a blank line", 2000, 1400,
         "L1\rL2\rL3",
         {"p1 x120 y120 bold Garage", "p1 x120 y300 Plate: B1   Job: 7", "p1 x120 y460 rule 1760x4", "p1 x120 y540 VIN1",
          "p1 x120 y660 ", "p1 x120 y780 L1", "p1 x120 y900 L2", "p1 x120 y1180 VIN1", "p1 x775 y1180 8.12 9:05",
          "p1 x1330 y1180 Page 1 of 2",  //
          "p2 x120 y120 Plate: B1   Job: 7", "p2 x120 y360 L3", "p2 x120 y1180 VIN1", "p2 x775 y1180 8.12 9:05",
          "p2 x1330 y1180 Page 2 of 2"},
         {"Garage", "", "", "", ""}, "Plate: B1   Job: 7"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const PrintGeometry geometry{600, 600, row.pageWidth, row.pageHeight, row.pageWidth, row.pageHeight, 0, 0};
        const PrintJobLayout job(geometry, {FakeCharWidth, FakeTextWidth, FakeHeadingWidth}, "VIN1", row.viewerText, "8.12", "9:05",
                                 row.workshop, row.jobLine);
        EXPECT_EQ(row.listing, Recorded(job));
    }
}

// A printer driver can be slow, so drawing asks after each line whether to go on; no means the
// rest of the page, its footer too, stays undrawn.
TEST(PrintJobLayoutTest, StopsWhenAskedTo)
{
    const PrintJobLayout job({600, 600, 2000, 1200, 2000, 1200, 0, 0}, {FakeCharWidth, FakeTextWidth}, "VIN1",
                             "P0301\rP0420", "8.12", "9:05");
    PageRecording recording;
    job.DrawPage(recording, 0, [] { return false; });
    EXPECT_EQ((std::vector<std::string>{"p1 x120 y120 VIN1", "p1 x120 y240 ", "p1 x120 y360 P0301"}), recording.listing);
}

}  // namespace
