#pragma once
// The pages of one printout, laid out once for one printer and drawn a page at a time: on the
// printer itself when printing, on a screen mapped onto the printer's page when previewing.
// Both draw from the same layout, so the preview has the printer's line and page breaks. The
// layout is the job's (PrintJobLayout); this measures it with the print font on the printer
// and draws it on a device context.
#include <functional>
#include <memory>

#include "framework/CString.h"
#include "framework/Gdi.h"
#include "output/PrintJobLayout.h"

class PrinterCharWidths;

class CPrintPages {
public:
    // Lays out the workshop's header, the job line, the VIN and the viewer text, all in UTF-8, for a page of
    // `geometry`, measuring the text with the print font on `printer`: the printer's device
    // context or information context, or, with no printer, any context whose units are the page's.
    CPrintPages(const CDCHandle& printer, const PrintGeometry& geometry, const CString& vin, const CString& viewerText,
                const WorkshopDetails& workshop, const CString& jobLine = CString());
    ~CPrintPages();
    CPrintPages(const CPrintPages&) = delete;
    CPrintPages& operator=(const CPrintPages&) = delete;

    int PageCount() const { return m_layout.PageCount(); }
    const PrintGeometry& Geometry() const { return m_layout.Geometry(); }

    // Draws page `page` (0 for the first) in the printer's device units, with the print font:
    // on the printer's context as it is, on any other one mapped onto those units. A printer
    // driver may take a second for a page of Chinese text, so `keepDrawing`, when given, is asked
    // after each line, and false leaves the rest of the page undrawn.
    void DrawPage(const CDCHandle& dc, int page, const std::function<bool()>& keepDrawing = nullptr) const;

private:
    unsigned m_codePage;  // whose font holds the job's characters
    CFont m_font;
    CFont m_headingFont;  // the workshop's name
    // The printer's width of each character in either font; drawing fills in any not measured.
    std::unique_ptr<PrinterCharWidths> m_widths;
    std::unique_ptr<PrinterCharWidths> m_headingWidths;
    PrintJobLayout m_layout;  // dated when laid out, which is when printing starts
};

// The printer's page as its device context reports it.
PrintGeometry GeometryOf(const CDCHandle& printer);
