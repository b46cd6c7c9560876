// Print preview: the pages Print would print on the default printer, before paper is spent.
#include "framework/PrintDialog.h"
#include "output/PrintPages.h"
#include "ui/MardelloDlg.h"
#include "ui/PrintPreviewDlg.h"

void CMardelloDlg::OnPrintPreview()
{
    UpdateData(TRUE);
    // The default printer as the print dialog would offer it, as an information context: it
    // measures text like the printer, and prints nothing.
    CPrintDialog defaults(FALSE, PD_RETURNIC, nullptr);
    defaults.m_pd.Flags &= ~PD_RETURNDC;
    CDC printer;
    if (defaults.GetDefaults()) printer.Attach(defaults.GetPrinterDC());
    const bool withoutPrinter = !printer.GetSafeHdc();
    // Without a printer, a memory context stands in: with no mapping, its units are the 600-dpi
    // page's, so text is measured at the size it would print on such a page.
    if (withoutPrinter) printer.CreateCompatibleDC(nullptr);
    const CPrintPages pages(printer, withoutPrinter ? A4At600Dpi() : GeometryOf(printer), m_strVin, ViewerText());

    CPrintPreviewDlg preview(pages, withoutPrinter, this);
    if (preview.DoModal() == IDC_PREVIEW_PRINT) OnPrint();
}
