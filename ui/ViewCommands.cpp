#include "ui/ViewCommands.h"

#include "reports/ReportFiles.h"
#include "reports/ReportViewer.h"
#include "res/resource.h"

// A view command: the name Save As gives its view, its button, the reports it reads.
struct ViewCommand {
    const char* shown;
    int buttonId;
    const ReportFile* files;
    int count;
    bool sectionBreaks;
};

namespace {

const ReportFile kAllReports[] = {kTroubleCodes, kLiveData, kFrozenFrame};

const ViewCommand kViewCommands[] = {
    {kAllReportsShown, IDC_BTN_PRINT_ALL, kAllReports, 3, true},
    {kTroubleCodes.shown, IDC_BTN_TROUBLE_CODE, &kTroubleCodes, 1, false},
    {kLiveData.shown, IDC_BTN_LIVE_DATA, &kLiveData, 1, false},
    {kFrozenFrame.shown, IDC_BTN_FROZEN_FRAME, &kFrozenFrame, 1, false}};

}  // namespace

void CViewCommands::Show(int buttonId)
{
    for (const ViewCommand& command : kViewCommands)
        if (command.buttonId == buttonId) Show(command);
}

// Builds the whole viewer text first and then fills the viewer with it, unpainted: appending
// line by line, with a refresh and a scroll per line, froze the window for a minute on a
// large report, and the text that results is the same.
void CViewCommands::Show(const ViewCommand& command)
{
    m_skin.MarkActiveButton(command.buttonId);
    m_source.ReportsShown();
    const CString folder = m_source.Folder();
    const CString text = ViewOfReports(command.count, command.sectionBreaks, [&](int file, CString& viewerText) {
        const ReportRead read = LoadReportFile(folder, command.files[file].name, m_encodingChoice, viewerText);
        if (read == ReportRead::NoAnswer)
            m_source.SayWithView(NoAnswerNote(m_source.FolderToName(), CString("the ") + command.files[file].shown +
                                                                           " report could not be read"));
        return read;
    });
    m_viewer.Fill(command.shown, ShownViewerText(text));
}

// A part's view (the comparison of two runs) has no button of its own: none is marked.
void CViewCommands::ShowView(const char* shown, const CString& text)
{
    m_skin.MarkActiveButton(0);
    m_viewer.Fill(shown, ShownViewerText(text));
}

const ViewCommand* CViewCommands::CommandOfShownView() const
{
    for (const ViewCommand& command : kViewCommands)
        if (m_viewer.Shown() == command.shown) return &command;
    return nullptr;
}

int CViewCommands::ButtonOfShownView() const
{
    const ViewCommand* command = CommandOfShownView();
    return command ? command->buttonId : 0;
}

// A view command's view is read again from the reports it showed, while they are there to read;
// a part's view is not made of reports.
void CViewCommands::ReadReportsAgain()
{
    const ViewCommand* command = CommandOfShownView();
    if (command && m_source.HasReports()) Show(*command);
}

// The viewer never keeps one source's reports under another's VIN, which Print would print
// together: the view shown is read from the new source, or, with none, or for a comparison,
// which belongs to the runs it compares, the viewer is emptied. A viewer that never showed a
// view stays as it is.
void CViewCommands::SourceChanged(bool comparisonFollows)
{
    if (comparisonFollows || m_viewer.Shown().IsEmpty()) return;
    const ViewCommand* command = CommandOfShownView();
    if (command && m_source.HasReports()) {
        Show(*command);
        return;
    }
    // An emptied view command's view comes back with the next source.
    const CString shown = command ? m_viewer.Shown() : CString();
    m_viewer.Fill(shown, CString());
}
