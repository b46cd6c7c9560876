// Print, the preview, Copy and Save As: the VIN box and the viewer's text, as shown and edited, to
// the printer, the clipboard or a file. A print or a save that fails says so in the status line.
#include "framework/FileDialog.h"
#include "framework/PrintDialog.h"
#include "framework/SystemMessage.h"
#include "framework/WideText.h"
#include "history/HistoryFolder.h"
#include "jobcard/JobCardText.h"
#include "output/CopyToClipboard.h"
#include "output/DefaultPrinter.h"
#include "output/PrintJob.h"
#include "output/SaveAsFile.h"
#include "output/SaveAsName.h"
#include "ui/MardelloDlg.h"
#include "ui/PrintPreviewDlg.h"
#include "ui/PrintProgressDlg.h"
#include "ui/WorkshopDlg.h"

namespace {

constexpr DWORD kPrintDialogFlags =
    PD_ALLPAGES | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIES | PD_HIDEPRINTTOFILE;

constexpr const char* kTextFiles = "Text files (*.txt)|*.txt|All files (*.*)|*.*|";

// Said when a save keeps characters the system code page lacks.
constexpr const char* kSavedInUtf8 = "Saved as UTF-8: not every character is in the system's code page";

}  // namespace

// The job Print prints and the preview shows: the workshop's details as kept, the VIN box and the
// viewer as they are now, with the job card of the run in view.
CPrintPages CMardelloDlg::PagesToPrint(const CDCHandle& printer, const PrintGeometry& geometry)
{
    UpdateData(TRUE);
    // The layout takes UTF-8: the viewer's characters as the control holds them, the VIN's bytes
    // read in the system's code page.
    const CString vin(Utf8Text(WideText(m_strVin, m_strVin.GetLength(), CP_ACP)));
    const JobCard& job = m_jobCard.Card();
    return CPrintPages(printer, geometry, vin, WithJobNotes(CString(Utf8Text(m_richReport.GetUnicodeText())), job),
                       LoadWorkshopDetails(), JobLine(job));
}

void CMardelloDlg::OnPrint()
{
    MarkActiveButton(IDC_BTN_PRINT);
    CPrintDialog dialog(FALSE, kPrintDialogFlags, nullptr);
    if (dialog.DoModal() != IDOK) return;
    CDC printer;
    printer.Attach(dialog.GetPrinterDC());
    if (!printer.GetSafeHdc()) return;

    const CPrintPages pages = PagesToPrint(printer, GeometryOf(printer));
    CString failure;
    {
        CPrintProgressDlg progress(this);
        progress.Open();
        failure = PrintJob(printer, pages, progress);
    }
    // A failure stays in the status line until the next print or the device's next coming or going.
    m_strStatus = m_reportSource.Status();
    if (!failure.IsEmpty()) m_strStatus = failure;
    ShowStatus();
}

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

void CMardelloDlg::OnCopy()
{
    MarkActiveButton(IDC_BTN_COPY);
    UpdateData(TRUE);
    CopyToClipboard(m_jobCard.WithCard(m_richReport.GetUnicodeText()), m_hWnd);
}

// It proposes a name in the history's folder from the VIN, the time of the reports and the view.
void CMardelloDlg::OnSaveAs()
{
    UpdateData(TRUE);
    const CString name = SaveAsName(m_strVin, ReportsTime(m_reportSource.Folder()),
                                    m_strShownReports.IsEmpty() ? kNoReportsShown : m_strShownReports.GetString());
    CFileDialog dialog(FALSE, "txt", name, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY, kTextFiles,
                       this);
    const CString history = HistoryFolder();
    if (!history.IsEmpty()) ::CreateDirectoryA(history, nullptr);
    dialog.SetInitialFolder(history);
    if (dialog.DoModal() != IDOK) return;
    bool inUtf8 = false;
    const DWORD error = WriteWhole(dialog.GetPathName(), SavedText(m_jobCard.WithCard(m_richReport.GetUnicodeText()), inUtf8));
    if (error == 0 && !inUtf8) return;
    // As a failed print, said in the status line until the device's next coming or going.
    m_strStatus = error != 0 ? "Not saved: " + SystemMessage(error) : CString(kSavedInUtf8);
    ShowStatus();
}
