#include "ui/ReportOutput.h"

#include <optional>

#include "framework/AnsweredWork.h"
#include "framework/FileDialog.h"
#include "framework/PrintDialog.h"
#include "framework/SystemMessage.h"
#include "framework/WideText.h"
#include "history/HistoryFolder.h"
#include "jobcard/JobCardText.h"
#include "reports/ReportSource.h"
#include "ui/RunJobCard.h"
#include "output/DefaultPrinter.h"
#include "output/PrintJob.h"
#include "output/SaveAsFile.h"
#include "output/SaveAsName.h"
#include "ui/PrintPreviewDlg.h"
#include "ui/PrintProgressDlg.h"
#include "ui/WorkshopDlg.h"

namespace {

constexpr DWORD kPrintDialogFlags =
    PD_ALLPAGES | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIES | PD_HIDEPRINTTOFILE;

constexpr const char* kTextFiles = "Text files (*.txt)|*.txt|All files (*.*)|*.*|";

// The time of the reports in `folder`; nothing when the folder (a share) does not answer.
std::optional<CString> TimeOfReports(const CString& folder)
{
    return ResultWhileAnswered<CString>([folder](WorkProgress&) { return ReportsTime(folder); });
}

// The history folder, made if need be, when it answers; else Documents: the dialog would look
// into a share that does not answer and hang. A kept run's folder that did not answer for its
// time is in a history folder that would not answer either.
CString SaveAsFolder(const CString& reportFolder, bool reportFolderAnswered)
{
    const CString history = HistoryFolder();
    const bool historyAnswers =
        !history.IsEmpty() && (reportFolderAnswered || HistoryFolderOfRun(reportFolder) != history) &&
        ResultWhileAnswered<bool>([history](WorkProgress&) {
            ::CreateDirectoryA(history, nullptr);
            return true;
        });
    return historyAnswers ? history : DocumentsFolder();
}

// Said when a save keeps characters the system code page lacks.
constexpr const char* kSavedInUtf8 = "Saved as UTF-8: not every character is in the system's code page";

// The job Print prints and the preview shows: the workshop's details as kept, the VIN and the
// viewer's text, with the job card of the run in view.
CPrintPages PagesToPrint(const CDCHandle& printer, const PrintGeometry& geometry, const ShownReport& report)
{
    // The layout takes UTF-8: the viewer's characters as the control holds them, the VIN's bytes
    // read in the system's code page.
    const CString vin(Utf8Text(WideText(report.vin, report.vin.GetLength(), CP_ACP)));
    return CPrintPages(printer, geometry, vin, WithJobNotes(CString(Utf8Text(report.text())), report.job),
                       LoadWorkshopDetails(), JobLine(report.job));
}

}  // namespace

// A failure stays in the status line until the next print or the device's next coming or going.
StatusWord PrintReport(CWnd* owner, const ShownReport& report)
{
    CPrintDialog dialog(FALSE, kPrintDialogFlags, nullptr);
    if (dialog.DoModal() != IDOK) return std::nullopt;
    CDC printer;
    printer.Attach(dialog.GetPrinterDC());
    if (!printer.GetSafeHdc()) return std::nullopt;

    const CPrintPages pages = PagesToPrint(printer, GeometryOf(printer), report);
    CPrintProgressDlg progress(owner);
    progress.Open();
    return PrintJob(printer, pages, progress);
}

bool PreviewReport(CWnd* owner, const ShownReport& report)
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
    const CPrintPages pages = PagesToPrint(printer, withoutPrinter ? A4At600Dpi() : GeometryOf(printer), report);

    CPrintPreviewDlg preview(pages, withoutPrinter, owner);
    return preview.DoModal() == IDC_PREVIEW_PRINT;
}

// As a failed print, a failed save is said until the device's next coming or going.
StatusWord SaveReportAs(CWnd* owner, const ShownReport& report)
{
    const std::optional<CString> time = TimeOfReports(report.folder);
    const CString name = SaveAsName(report.vin, time.value_or(CString()),
                                    report.shown.IsEmpty() ? kNoReportsShown : report.shown.GetString());
    CFileDialog dialog(FALSE, "txt", name, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY, kTextFiles,
                       owner);
    dialog.SetInitialFolder(SaveAsFolder(report.folder, time.has_value()));
    if (dialog.DoModal() != IDOK) return std::nullopt;
    bool inUtf8 = false;
    const DWORD error = WriteWhole(dialog.GetPathName(), SavedText(ViewerTextWithJobCard(report.text(), report.job), inUtf8));
    if (error == 0 && !inUtf8) return std::nullopt;
    return error != 0 ? "Not saved: " + SystemMessage(error) : CString(kSavedInUtf8);
}
