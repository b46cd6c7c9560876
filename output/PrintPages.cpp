#include "output/PrintPages.h"

#include <array>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/WideText.h"
#include "output/PrintFont.h"
#include "output/PrintScripts.h"

// Widths of characters in one font, each measured once on the printer. They also place every
// character when a page is drawn, so the preview's screen, whose fonts round widths their own
// way, ends each line where the paper does.
class PrinterCharWidths {
public:
    explicit PrinterCharWidths(HFONT font) : m_font(font) { m_ascii.fill(-1); }

    // `dc` measures a character not seen before: the printer while laying out, the page's
    // context, in the printer's units, for one only drawn.
    int Of(HDC dc, char32_t point)
    {
        int* known = point < 0x80 ? &m_ascii[point] : nullptr;
        if (known && *known >= 0) return *known;
        if (!known) {
            const auto found = m_others.find(point);
            if (found != m_others.end()) return found->second;
            known = &m_others[point];
        }
        std::wstring units;
        AppendUtf16(point, units);
        CSelectGuard select(CDCHandle(dc), m_font);
        SIZE size{};
        ::GetTextExtentPoint32W(dc, units.c_str(), static_cast<int>(units.size()), &size);
        return *known = size.cx;
    }

    // The text as wide characters, and each one's width for ExtTextOutW (nothing for the second
    // half of a surrogate pair).
    void Place(HDC dc, const CString& utf8, std::wstring& wide, std::vector<INT>& dx)
    {
        const std::string& bytes = utf8.Bytes();
        for (size_t at = 0; at < bytes.size();) {
            const size_t length = PrintCharLength(bytes, at, PrintEncoding::Utf8);
            const char32_t point = Utf8CodePoint(bytes.data() + at, length);
            at += length;
            const size_t before = wide.size();
            AppendUtf16(point, wide);
            dx.push_back(Of(dc, point));
            dx.resize(dx.size() + wide.size() - before - 1, 0);
        }
    }

    HFONT Font() const { return m_font; }

private:
    static void AppendUtf16(char32_t point, std::wstring& units)
    {
        if (point < 0x10000) {
            units += static_cast<wchar_t>(point);
            return;
        }
        point -= 0x10000;
        units += static_cast<wchar_t>(0xD800 + (point >> 10));
        units += static_cast<wchar_t>(0xDC00 + (point & 0x3FF));
    }

    HFONT m_font;
    std::array<int, 0x80> m_ascii;
    std::unordered_map<char32_t, int> m_others;
};

namespace {

// Now, in the user's short date format and time format.
CString FormattedNow(bool date)
{
    wchar_t text[128] = L"";
    const int length = date ? ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, 128)
                            : ::GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, nullptr, nullptr, text, 128);
    return length > 0 ? CString(Utf8Text(text)) : CString();
}

// The code page whose font holds every character of the job.
unsigned FontCodePage(const CString& vin, const CString& viewerText, const WorkshopDetails& workshop,
                      const CString& jobLine)
{
    PrintScripts scripts;
    for (const CString* text : {&vin, &viewerText, &jobLine, &workshop.name, &workshop.address1, &workshop.address2,
                                &workshop.phone, &workshop.web})
        scripts.Scan(text->Bytes());
    return scripts.FontCodePage(::GetACP());
}

// Draws on a device context with the print font selected into it, each character where the
// printer's widths put it.
class DcCanvas : public PageCanvas {
public:
    DcCanvas(const CDCHandle& dc, PrinterCharWidths& text, PrinterCharWidths& heading)
        : m_dc(dc), m_text(text), m_heading(heading)
    {
    }
    void Text(int x, int y, const CString& text) override { Draw(x, y, text, m_text); }
    void Heading(int x, int y, const CString& text) override
    {
        CSelectGuard select(m_dc, m_heading.Font());
        Draw(x, y, text, m_heading);
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
    void Draw(int x, int y, const CString& text, PrinterCharWidths& widths)
    {
        std::wstring wide;
        std::vector<INT> dx;
        widths.Place(m_dc, text, wide, dx);
        ::ExtTextOutW(m_dc, x, y, 0, nullptr, wide.c_str(), static_cast<UINT>(wide.size()), dx.data());
    }

    CDCHandle m_dc;
    PrinterCharWidths& m_text;
    PrinterCharWidths& m_heading;
};

// The job laid out with the widths its fonts have on the printer; dated now.
PrintJobLayout LayoutMeasuredOn(const CDCHandle& printer, PrinterCharWidths& text, PrinterCharWidths& heading,
                                const PrintGeometry& geometry, const CString& vin, const CString& viewerText,
                                const WorkshopDetails& workshop, const CString& jobLine)
{
    const auto measure = [printer](PrinterCharWidths& widths) {
        return [printer, &widths](const char* character, size_t length) {
            return widths.Of(printer, Utf8CodePoint(character, length));
        };
    };
    const auto textWidth = [printer, &text](const CString& piece) {
        std::wstring wide;
        std::vector<INT> dx;
        text.Place(printer, piece, wide, dx);
        int width = 0;
        for (INT each : dx) width += each;
        return width;
    };
    return PrintJobLayout(geometry, {measure(text), textWidth, measure(heading), PrintEncoding::Utf8}, vin, viewerText,
                          FormattedNow(true), FormattedNow(false), workshop, jobLine);
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
                         const CString& viewerText, const WorkshopDetails& workshop, const CString& jobLine)
    : m_codePage(FontCodePage(vin, viewerText, workshop, jobLine)),
      m_font(CreatePrintFont(printer, MetricsFor(geometry).fontHeight, m_codePage)),
      m_headingFont(CreatePrintFont(printer, HeaderMetricsFor(geometry).headingHeight, m_codePage, true)),
      m_widths(std::make_unique<PrinterCharWidths>(m_font)),
      m_headingWidths(std::make_unique<PrinterCharWidths>(m_headingFont)),
      m_layout(LayoutMeasuredOn(printer, *m_widths, *m_headingWidths, geometry, vin, viewerText, workshop, jobLine))
{
}

CPrintPages::~CPrintPages() = default;

void CPrintPages::DrawPage(const CDCHandle& dc, int page, const std::function<bool()>& keepDrawing) const
{
    if (page < 0 || page >= PageCount()) return;
    CSelectGuard select(dc, m_font);
    DcCanvas canvas(dc, *m_widths, *m_headingWidths);
    m_layout.DrawPage(canvas, page, keepDrawing);
}
