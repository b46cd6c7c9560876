#pragma once
// The pages of one printout: the workshop's header and the viewer's lines wrapped to the page,
// the VIN, the lines placed on pages, and each page's footer, laid out once from the widths of the print font and
// drawn a page at a time.
#include <functional>
#include <vector>

#include "framework/CString.h"
#include "output/PageCanvas.h"
#include "output/PrintFooter.h"
#include "output/PrintLayout.h"
#include "output/PrintLines.h"
#include "output/WorkshopDetails.h"

// Widths in the print font, in device units: of one character for wrapping, of a whole piece
// of the footer; of one character of the workshop's name in its larger face (the print font's
// when not given). `encoding` says how the texts' bytes form characters.
struct PrintWidths {
    CharWidth character;
    std::function<int(const CString& text)> text;
    CharWidth heading = nullptr;
    PrintEncoding encoding = PrintEncoding::DoubleByte;
};

class PrintJobLayout {
public:
    // `date` and `time` are those of printing, as the footer shows them. Without workshop
    // details page 1 starts with the VIN. `jobLine`, the job the run belongs to, goes under the
    // workshop's lines on page 1 and at the top of every further page, so that no page loses its job.
    PrintJobLayout(const PrintGeometry& geometry, const PrintWidths& widths, const CString& vin,
                   const CString& viewerText, const CString& date, const CString& time,
                   const WorkshopDetails& workshop = WorkshopDetails(), const CString& jobLine = CString());

    int PageCount() const { return static_cast<int>(m_pageStarts.size()) - 1; }
    const PrintGeometry& Geometry() const { return m_geometry; }

    // Draws page `page` (0 for the first). `keepDrawing`, when given, is asked after each line,
    // and false leaves the rest of the page undrawn.
    void DrawPage(PageCanvas& canvas, int page, const std::function<bool()>& keepDrawing = nullptr) const;

private:
    struct HeaderLine {
        int y;
        CString text;
        bool heading;
    };

    PrintGeometry m_geometry;
    PrintMetrics m_metrics;
    CString m_vin;
    CString m_date;
    CString m_time;
    std::vector<HeaderLine> m_header;  // page 1's workshop and job lines; none without either
    std::vector<CString> m_jobLines;   // the job line wrapped to the page; none without a job
    int m_ruleTop = 0;                 // the rule under them, when there are any
    int m_ruleThickness = 0;
    int m_vinTop;                      // the VIN on page 1
    std::vector<CString> m_lines;            // the viewer's lines, wrapped to the page
    std::vector<PlacedLine> m_placed;
    std::vector<size_t> m_pageStarts;         // page k's lines: m_placed[m_pageStarts[k]] up to the next page's
    std::vector<FooterPositions> m_footers;  // one per page
};
