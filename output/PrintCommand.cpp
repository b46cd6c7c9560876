// Print: the VIN and the viewer's text on the printer the user picks.
#include <array>
#include <unordered_map>
#include <vector>

#include "framework/PrintDialog.h"
#include "output/PrintLayout.h"
#include "output/PrintLines.h"
#include "ui/MardelloDlg.h"

namespace {

constexpr DWORD kPrintDialogFlags = PD_ALLPAGES | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIES | PD_HIDEPRINTTOFILE;

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

// Draws every page of the job; false when the printer refused a page, and the job must be aborted.
bool DrawPages(const CDCHandle& printer, const CString& vin, const std::vector<CString>& lines, const PrintMetrics& metrics,
               int pageHeight)
{
    std::vector<PlacedLine> placed = PlaceLines(static_cast<int>(lines.size()), metrics, pageHeight);
    size_t next = 0;
    for (int page = 0, pages = PageCount(placed); page < pages; ++page) {
        if (::StartPage(printer) <= 0) return false;
        if (page == 0) {
            printer.TextOut(metrics.left, metrics.vinTop, vin);
            printer.TextOut(metrics.left, metrics.vinTop + metrics.lineStep, CString());
        }
        for (; next < placed.size() && placed[next].page == page; ++next)
            printer.TextOut(metrics.left, placed[next].y, lines[static_cast<size_t>(placed[next].line)]);
        if (::EndPage(printer) <= 0) return false;
    }
    return true;
}

}  // namespace

void CMardelloDlg::OnPrint()
{
    MarkActiveButton(IDC_BTN_PRINT);
    CPrintDialog dialog(FALSE, kPrintDialogFlags, nullptr);
    if (dialog.DoModal() != IDOK) return;
    CDC printer;
    printer.Attach(dialog.GetPrinterDC());
    if (!printer.GetSafeHdc()) return;

    PrintGeometry geometry;
    geometry.dpiX = printer.GetDeviceCaps(LOGPIXELSX);
    geometry.dpiY = printer.GetDeviceCaps(LOGPIXELSY);
    geometry.pageWidth = printer.GetDeviceCaps(HORZRES);
    geometry.pageHeight = printer.GetDeviceCaps(VERTRES);
    PrintMetrics metrics = MetricsFor(geometry);

    LOGFONTA description{};
    description.lfHeight = metrics.fontHeight;
    description.lfCharSet = ANSI_CHARSET;
    CFont font;
    font.CreateFontIndirect(&description);
    CSelectGuard select(printer, font);

    UpdateData(TRUE);
    std::vector<CString> lines = WrappedLines(ViewerText(), metrics.lineWidth, printer);

    DOCINFOA document{};
    document.cbSize = sizeof document;
    document.lpszDocName = "pdoc";
    if (::StartDocA(printer, &document) <= 0) return;
    if (DrawPages(printer, m_strVin, lines, metrics, geometry.pageHeight))
        ::EndDoc(printer);
    else
        ::AbortDoc(printer);
}
