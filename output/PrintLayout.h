#pragma once
// Where things go on the printed pages. Positions and sizes are given for a 600-dpi page
// (VIN at 120,120, a blank line at 240, viewer lines from 360 down in steps of 120, font
// height 100, a footer line above a bottom margin as wide as the top one) and scaled to the
// printer's resolution, so every printer gives the same page. A workshop header on page 1 goes
// where the VIN would be and moves the VIN and the lines below it down.
#include <vector>

struct PrintGeometry {
    int dpiX = 600;
    int dpiY = 600;
    int pageWidth = 0;   // printable area, device units
    int pageHeight = 0;
    int paperWidth = 0;  // the whole sheet, device units
    int paperHeight = 0;
    int offsetX = 0;     // where the printable area starts on the sheet
    int offsetY = 0;
};

// The page laid out when there is no printer to ask: a whole A4 sheet at 600 dpi.
PrintGeometry A4At600Dpi();

struct PrintMetrics {
    int left;          // x of the VIN and of every line
    int vinTop;        // y of the VIN on the first page
    int firstLineTop;  // y of the first viewer line on the first page
    int nextPageTop;   // y of the first line on every further page
    int lineStep;
    int fontHeight;
    int lineWidth;     // room for a line: page width less the left margin on both sides
    int footerTop;     // y of every page's footer: its cell ends at the bottom margin
    int bodyBottom;    // lines end at or above it, so a line step stays free above the footer
};

// Scales a length given in 600-dpi units to a device of the given resolution (rounded).
int ScaleToDevice(int units600, int dpi);

PrintMetrics MetricsFor(const PrintGeometry& geometry);

// The workshop's header on page 1: its name 150 high, the next line 180 below the name's top,
// the other lines a line step apart, and a rule 4 thick 40 below the top of the line after the
// last one; the VIN takes the line after the rule's.
struct HeaderMetrics {
    int headingHeight;
    int headingStep;
    int ruleOffset;
    int ruleThickness;
};

HeaderMetrics HeaderMetricsFor(const PrintGeometry& geometry);

struct PlacedLine {
    int page;  // 0 for the first page
    int y;
    int line;  // index into the wrapped lines
};

// Places lineCount lines, in order, each exactly once, going on to a new page when the next
// line would not end at or above `bottom` (metrics.bodyBottom on paper, where the footer takes
// the room below it). A page always takes at least one line.
std::vector<PlacedLine> PlaceLines(int lineCount, const PrintMetrics& metrics, int bottom);

// How many pages the placement uses (1 when there is no line: the page with the VIN).
int PageCount(const std::vector<PlacedLine>& placed);
