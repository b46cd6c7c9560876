#include "output/PrintPages.h"

#include <array>
#include <unordered_map>

#include "output/PrintFont.h"
#include "output/PrintLines.h"

namespace {

// Widths of characters in the printer's font, each measured once.
class PrinterCharWidths {
public:
    explicit PrinterCharWidths(HDC dc) : m_dc(dc) { m_single.fill(-1); }

    int operator()(const char* character, size_t length)
    {
        if (length == 1) {
            int& width = m_single[static_cast<unsigned char>(character[0])];
            if (width < 0) width = Measure(character, 1);
            return width;
        }
        unsigned key = static_cast<unsigned char>(character[0]) << 8 | static_cast<unsigned char>(character[1]);
        auto found = m_double.find(key);
        if (found != m_double.end()) return found->second;
        return m_double[key] = Measure(character, length);
    }

private:
    int Measure(const char* character, size_t length) const
    {
        SIZE size{};
        ::GetTextExtentPoint32A(m_dc, character, static_cast<int>(length), &size);
        return size.cx;
    }

    HDC m_dc;
    std::array<int, 256> m_single;
    std::unordered_map<unsigned, int> m_double;
};

std::vector<CString> WrappedLines(const CString& viewerText, int lineWidth, HDC dc)
{
    PrinterCharWidths widths(dc);
    CharWidth width = [&widths](const char* character, size_t length) { return widths(character, length); };
    std::vector<CString> lines;
    for (const CString& line : SplitPrintLines(viewerText))
        for (CString& piece : WrapPrintLine(line, lineWidth, width)) lines.push_back(std::move(piece));
    return lines;
}

int TextWidth(HDC dc, const CString& text)
{
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text, text.GetLength(), &size);
    return size.cx;
}

// Now, in the user's short date format and time format.
CString FormattedNow(bool date)
{
    char text[128] = "";
    const int length = date ? ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, sizeof text)
                            : ::GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, nullptr, nullptr, text, sizeof text);
    return length > 0 ? CString(text) : CString();
}

}  // namespace

PrintGeometry GeometryOf(const CDCHandle& printer)
{
    PrintGeometry geometry;
    geometry.dpiX = printer.GetDeviceCaps(LOGPIXELSX);
    geometry.dpiY = printer.GetDeviceCaps(LOGPIXELSY);
    geometry.pageWidth = printer.GetDeviceCaps(HORZRES);
    geometry.pageHeight = printer.GetDeviceCaps(VERTRES);
    geometry.paperWidth = printer.GetDeviceCaps(PHYSICALWIDTH);
    geometry.paperHeight = printer.GetDeviceCaps(PHYSICALHEIGHT);
    geometry.offsetX = printer.GetDeviceCaps(PHYSICALOFFSETX);
    geometry.offsetY = printer.GetDeviceCaps(PHYSICALOFFSETY);
    // A device that knows no sheet around its printable area: the area is the sheet.
    if (geometry.paperWidth < geometry.pageWidth || geometry.paperHeight < geometry.pageHeight) {
        geometry.paperWidth = geometry.pageWidth;
        geometry.paperHeight = geometry.pageHeight;
        geometry.offsetX = geometry.offsetY = 0;
    }
    return geometry;
}

CPrintPages::CPrintPages(const CDCHandle& printer, const PrintGeometry& geometry, const CString& vin,
                         const CString& viewerText)
    : m_geometry(geometry), m_metrics(MetricsFor(geometry)), m_vin(vin), m_date(FormattedNow(true)),
      m_time(FormattedNow(false))
{
    m_font = CreatePrintFont(printer, m_metrics.fontHeight);
    CSelectGuard select(printer, m_font);

    m_lines = WrappedLines(viewerText, m_metrics.lineWidth, printer);
    m_placed = PlaceLines(static_cast<int>(m_lines.size()), m_metrics, m_metrics.bodyBottom);
    const int pages = ::PageCount(m_placed);
    m_pageStarts.assign(1, 0);
    for (size_t k = 0; k < m_placed.size(); ++k)
        if (m_placed[k].page == static_cast<int>(m_pageStarts.size())) m_pageStarts.push_back(k);
    m_pageStarts.resize(static_cast<size_t>(pages) + 1, m_placed.size());

    // The gap between footer pieces that meet: one space of the print font. Only the page
    // number differs from page to page.
    const int gap = TextWidth(printer, " ");
    const PrintFooter first = FooterFor(m_vin, m_date, m_time, 1, pages);
    const int vinWidth = TextWidth(printer, first.vin);
    const int printedAtWidth = TextWidth(printer, first.printedAt);
    m_footers.reserve(static_cast<size_t>(pages));
    for (int page = 0; page < pages; ++page)
        m_footers.push_back(PlaceFooter(m_metrics.left, m_metrics.lineWidth, gap, vinWidth, printedAtWidth,
                                        TextWidth(printer, PageOfPages(page + 1, pages))));
}

void CPrintPages::DrawPage(const CDCHandle& dc, int page, const std::function<bool()>& keepDrawing) const
{
    if (page < 0 || page >= PageCount()) return;
    CSelectGuard select(dc, m_font);
    if (page == 0) {
        dc.TextOut(m_metrics.left, m_metrics.vinTop, m_vin);
        dc.TextOut(m_metrics.left, m_metrics.vinTop + m_metrics.lineStep, CString());
    }
    const size_t end = m_pageStarts[static_cast<size_t>(page) + 1];
    for (size_t k = m_pageStarts[static_cast<size_t>(page)]; k < end; ++k) {
        dc.TextOut(m_metrics.left, m_placed[k].y, m_lines[static_cast<size_t>(m_placed[k].line)]);
        if (keepDrawing && !keepDrawing()) return;
    }

    const PrintFooter footer = FooterFor(m_vin, m_date, m_time, page + 1, PageCount());
    const FooterPositions& at = m_footers[static_cast<size_t>(page)];
    dc.TextOut(at.vinX, m_metrics.footerTop, footer.vin);
    dc.TextOut(at.printedAtX, m_metrics.footerTop, footer.printedAt);
    dc.TextOut(at.pageNumberX, m_metrics.footerTop, footer.pageNumber);
}
