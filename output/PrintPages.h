#pragma once
// The pages of one printout, laid out once for one printer and drawn a page at a time: on the
// printer itself when printing, on a screen mapped onto the printer's page when previewing.
// Both draw from the same layout, so the preview has the printer's line and page breaks.
#include <functional>
#include <vector>

#include "framework/CString.h"
#include "framework/Gdi.h"
#include "output/PrintFooter.h"
#include "output/PrintLayout.h"

class CPrintPages {
public:
    // Lays out the VIN and the viewer text for a page of `geometry`, measuring the text with the
    // print font on `printer`: the printer's device context or information context, or, with no
    // printer, any context whose units are the page's.
    CPrintPages(const CDCHandle& printer, const PrintGeometry& geometry, const CString& vin, const CString& viewerText);
    CPrintPages(const CPrintPages&) = delete;
    CPrintPages& operator=(const CPrintPages&) = delete;

    int PageCount() const { return static_cast<int>(m_pageStarts.size()) - 1; }
    const PrintGeometry& Geometry() const { return m_geometry; }

    // Draws page `page` (0 for the first) in the printer's device units, with the print font:
    // on the printer's context as it is, on any other one mapped onto those units. A printer
    // driver may take a second for a page of Chinese text, so `keepDrawing`, when given, is asked
    // after each line, and false leaves the rest of the page undrawn.
    void DrawPage(const CDCHandle& dc, int page, const std::function<bool()>& keepDrawing = nullptr) const;

private:
    PrintGeometry m_geometry;
    PrintMetrics m_metrics;
    CFont m_font;
    CString m_vin;
    CString m_date;  // of laying out, which is when printing starts
    CString m_time;
    std::vector<CString> m_lines;            // the viewer's lines, wrapped to the page
    std::vector<PlacedLine> m_placed;
    std::vector<size_t> m_pageStarts;         // page k's lines: m_placed[m_pageStarts[k]] up to the next page's
    std::vector<FooterPositions> m_footers;  // measured on the printer, one per page
};

// The printer's page as its device context reports it.
PrintGeometry GeometryOf(const CDCHandle& printer);
