// The view commands: the reports of the device, or of a kept run, into the report viewer; the
// viewer following a change of where the reports come from; the status line and the buttons
// following the viewer.
#include "reports/ReportFiles.h"
#include "reports/ReportViewer.h"
#include "ui/MardelloDlg.h"

// Builds the whole viewer text first and then fills the viewer with it, unpainted: appending
// line by line, with a refresh and a scroll per line, froze the window for a minute on a
// large report, and the text that results is the same.
void CMardelloDlg::ShowReports(int buttonId, const ReportFile* files, int count, bool sectionBreaks)
{
    MarkActiveButton(buttonId);
    m_reportSource.ReportsShown();
    const CString folder = m_reportSource.Folder();
    const CString text = ViewOfReports(count, sectionBreaks, [&](int file, CString& viewerText) {
        return LoadReportFile(folder, files[file].name, m_encodingChoice, viewerText);
    });
    m_richReport.Fill(count == 1 ? files[0].shown : kAllReportsShown, ShownViewerText(text));
}

// A part's view (the comparison of two runs) has no button of its own: none is marked.
void CMardelloDlg::ShowView(const char* shown, const CString& text)
{
    MarkActiveButton(0);
    m_richReport.Fill(shown, ShownViewerText(text));
}

const CMardelloDlg::ViewCommand* CMardelloDlg::CommandOfShownView() const
{
    static const ViewCommand kViewCommands[] = {
        {kAllReportsShown, IDC_BTN_PRINT_ALL, &CMardelloDlg::OnPrintAll},
        {kTroubleCodes.shown, IDC_BTN_TROUBLE_CODE, &CMardelloDlg::OnPrintTroubleCode},
        {kLiveData.shown, IDC_BTN_LIVE_DATA, &CMardelloDlg::OnPrintLiveData},
        {kFrozenFrame.shown, IDC_BTN_FROZEN_FRAME, &CMardelloDlg::OnPrintFrozenFrame}};
    for (const ViewCommand& command : kViewCommands)
        if (m_richReport.Shown() == command.shown) return &command;
    return nullptr;
}

// A view command's view is read again from the reports it showed, while they are there to read;
// a part's view is not made of reports.
void CMardelloDlg::ReadReportsAgain()
{
    const ViewCommand* command = CommandOfShownView();
    if (command && m_reportSource.HasReports()) (this->*command->show)();
}

// The viewer never keeps one source's reports under another's VIN, which Print would print
// together: the view shown is read from the new source, or, with none, or for a comparison,
// which belongs to the runs it compares, the viewer is emptied. A viewer that never showed a
// view stays as it is.
void CMardelloDlg::ReportSourceChanged(bool comparisonFollows)
{
    m_encodingChoice.SourceChanged();
    ShowSource();
    if (comparisonFollows || m_richReport.Shown().IsEmpty()) return;
    const ViewCommand* command = CommandOfShownView();
    if (command && m_reportSource.HasReports()) {
        (this->*command->show)();
        return;
    }
    // An emptied view command's view comes back with the next source.
    const CString shown = command ? m_richReport.Shown() : CString();
    m_richReport.Fill(shown, CString());
}

// Running a view command puts the VIN back into the VIN box; the status line says whether
// typed notes were kept.
void CMardelloDlg::ViewFilled(bool notesKept)
{
    m_reportSource.ViewShown(notesKept);
    UpdateData(FALSE);
    ShowSource();
}

// The notes' view is shown again, so is its button.
void CMardelloDlg::NotesBroughtBack()
{
    const ViewCommand* command = CommandOfShownView();
    MarkActiveButton(command ? command->buttonId : 0);
}

void CMardelloDlg::OnPrintAll()
{
    static const ReportFile kAllReports[] = {kTroubleCodes, kLiveData, kFrozenFrame};
    ShowReports(IDC_BTN_PRINT_ALL, kAllReports, 3, true);
}

void CMardelloDlg::OnPrintTroubleCode() { ShowReports(IDC_BTN_TROUBLE_CODE, &kTroubleCodes, 1, false); }

void CMardelloDlg::OnPrintLiveData() { ShowReports(IDC_BTN_LIVE_DATA, &kLiveData, 1, false); }

void CMardelloDlg::OnPrintFrozenFrame() { ShowReports(IDC_BTN_FROZEN_FRAME, &kFrozenFrame, 1, false); }
