#include "output/PrintPages.h"

#include <array>
#include <unordered_map>

#include "output/PrintFont.h"

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

// Draws on a device context with the print font selected into it.
class DcCanvas : public PageCanvas {
public:
    DcCanvas(const CDCHandle& dc, HFONT headingFont) : m_dc(dc), m_headingFont(headingFont) {}
    void Text(int x, int y, const CString& text) override { m_dc.TextOut(x, y, text); }
    void Heading(int x, int y, const CString& text) override
    {
        CSelectGuard select(m_dc, m_headingFont);
        m_dc.TextOut(x, y, text);
    }
    // A line of a pen as thick as the rule: on the preview's reduced page a pen still draws a
    // pixel, where a filled rectangle that thin would round away to nothing.
    void Rule(int x, int y, int width, int thickness) override
    {
        CPen pen;
        pen.CreatePen(PS_SOLID, thickness, RGB(0, 0, 0));
        CSelectGuard select(m_dc, pen);
        const int middle = y + thickness / 2;
        ::MoveToEx(m_dc, x, middle, nullptr);
        ::LineTo(m_dc, x + width, middle);
    }

private:
    CDCHandle m_dc;
    HFONT m_headingFont;
};

// The job laid out with the widths `font` has on the printer; dated now.
PrintJobLayout LayoutMeasuredOn(const CDCHandle& printer, HFONT font, const PrintGeometry& geometry, const CString& vin,
                                const CString& viewerText, const WorkshopDetails& workshop)
{
    CSelectGuard select(printer, font);
    PrinterCharWidths widths(printer);
    const PrintWidths measure{[&widths](const char* character, size_t length) { return widths(character, length); },
                              [printer](const CString& text) { return TextWidth(printer, text); }};
    return PrintJobLayout(geometry, measure, vin, viewerText, FormattedNow(true), FormattedNow(false), workshop);
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
                         const CString& viewerText, const WorkshopDetails& workshop)
    : m_font(CreatePrintFont(printer, MetricsFor(geometry).fontHeight)),
      m_headingFont(CreatePrintFont(printer, HeaderMetricsFor(geometry).headingHeight, true)),
      m_layout(LayoutMeasuredOn(printer, m_font, geometry, vin, viewerText, workshop))
{
}

void CPrintPages::DrawPage(const CDCHandle& dc, int page, const std::function<bool()>& keepDrawing) const
{
    if (page < 0 || page >= PageCount()) return;
    CSelectGuard select(dc, m_font);
    DcCanvas canvas(dc, m_headingFont);
    m_layout.DrawPage(canvas, page, keepDrawing);
}
