// Print preview: the pages Print would print on the default printer, before paper is spent.
#include "output/PrintPages.h"
#include "ui/MardelloDlg.h"
#include "ui/PrintPreviewDlg.h"

namespace {

// The default printer's name: the "device" entry of the system's settings up to its first comma.
CString DefaultPrinterName()
{
    char device[512] = "";
    ::GetProfileStringA("windows", "device", "", device, sizeof device);
    const CString entry(device);
    const int comma = entry.Find(',');
    return comma < 0 ? entry : entry.Left(comma);
}

}  // namespace

void CMardelloDlg::OnPrintPreview()
{
    // The default printer with its default settings, as the print dialog first offers it, as an
    // information context: it measures text as the printer does, and prints nothing.
    const CString printerName = DefaultPrinterName();
    CDC printer;
    if (!printerName.IsEmpty()) printer.Attach(::CreateICA(nullptr, printerName, nullptr, nullptr));
    const bool withoutPrinter = !printer.GetSafeHdc();
    // Without a printer a memory context stands in: with no mapping, its units are the 600-dpi
    // page's, so text is measured at the size it would print on such a page.
    if (withoutPrinter) printer.CreateCompatibleDC(nullptr);
    const CPrintPages pages = PagesToPrint(printer, withoutPrinter ? A4At600Dpi() : GeometryOf(printer));

    CPrintPreviewDlg preview(pages, withoutPrinter, this);
    if (preview.DoModal() == IDC_PREVIEW_PRINT) OnPrint();
}
