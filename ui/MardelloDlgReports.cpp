// The view commands: the reports of the device, or of a kept run, into the report viewer.
#include "reports/ReportFiles.h"
#include "reports/ReportViewer.h"
#include "reports/ViewerFont.h"
#include "ui/MardelloDlg.h"

// Builds the whole viewer text first and then fills the viewer with it, unpainted: appending
// line by line, with a refresh and a scroll per line, froze the window for a minute on a
// large report, and the text that results is the same.
void CMardelloDlg::ShowReports(int buttonId, const ReportFile* files, int count, bool sectionBreaks)
{
    MarkActiveButton(buttonId);
    const CString folder = m_reportSource.Folder();
    const CString text = ViewOfReports(count, sectionBreaks, [&](int file, CString& viewerText) {
        return LoadReportFile(folder, files[file].name, m_encodingChoice, viewerText);
    });
    FillView(count == 1 ? files[0].shown : kAllReportsShown, text);
}

// A part's view (the comparison of two runs) has no button of its own: none is marked.
void CMardelloDlg::ShowView(const char* shown, const CString& text)
{
    MarkActiveButton(0);
    FillView(shown, text);
}

// A view command's view is read again from the reports it showed, while they are there to read;
// a part's view is not made of reports.
void CMardelloDlg::ReadReportsAgain()
{
    if (m_strDrive.IsEmpty() && !m_reportSource.ShowsKeptRun()) return;
    const struct {
        const char* shown;
        void (CMardelloDlg::*show)();
    } views[] = {{kAllReportsShown, &CMardelloDlg::OnPrintAll},
                 {kTroubleCodes.shown, &CMardelloDlg::OnPrintTroubleCode},
                 {kLiveData.shown, &CMardelloDlg::OnPrintLiveData},
                 {kFrozenFrame.shown, &CMardelloDlg::OnPrintFrozenFrame}};
    for (const auto& view : views)
        if (m_strShownReports == view.shown) (this->*view.show)();
}

void CMardelloDlg::FillView(const char* shown, const CString& text)
{
    m_strShownReports = shown;
    EmptyViewer(m_richReport);
    FitViewerFontTo(m_richReport, text);
    FillViewer(m_richReport, text);
    UpdateData(FALSE);
    if (!text.IsEmpty()) m_richReport.PostMessage(WM_VSCROLL, SB_BOTTOM);
}

void CMardelloDlg::OnPrintAll()
{
    static const ReportFile kAllReports[] = {kTroubleCodes, kLiveData, kFrozenFrame};
    ShowReports(IDC_BTN_PRINT_ALL, kAllReports, 3, true);
}

void CMardelloDlg::OnPrintTroubleCode() { ShowReports(IDC_BTN_TROUBLE_CODE, &kTroubleCodes, 1, false); }

void CMardelloDlg::OnPrintLiveData() { ShowReports(IDC_BTN_LIVE_DATA, &kLiveData, 1, false); }

void CMardelloDlg::OnPrintFrozenFrame() { ShowReports(IDC_BTN_FROZEN_FRAME, &kFrozenFrame, 1, false); }

CString CMardelloDlg::ViewerText() const
{
    return m_richReport.GetTextRange(0, m_richReport.GetTextLength());
}
