// Print: the VIN and the viewer's text on the printer the user picks.
#include "framework/PrintDialog.h"
#include "output/PrintPages.h"
#include "ui/MardelloDlg.h"

namespace {

constexpr DWORD kPrintDialogFlags = PD_ALLPAGES | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIES | PD_HIDEPRINTTOFILE;

// Prints every page of the job; false when the printer refused a page, and the job must be aborted.
bool PrintEveryPage(const CDCHandle& printer, const CPrintPages& pages)
{
    for (int page = 0; page < pages.PageCount(); ++page) {
        if (::StartPage(printer) <= 0) return false;
        pages.DrawPage(printer, page);
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

    UpdateData(TRUE);
    const CPrintPages pages(printer, GeometryOf(printer), m_strVin, ViewerText());

    DOCINFOA document{};
    document.cbSize = sizeof document;
    document.lpszDocName = "pdoc";
    if (::StartDocA(printer, &document) <= 0) return;
    if (PrintEveryPage(printer, pages))
        ::EndDoc(printer);
    else
        ::AbortDoc(printer);
}
