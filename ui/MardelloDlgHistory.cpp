// The history window from the main window (Ctrl+H, the window menu, the viewer's menu), and a
// kept run shown as a device is: the view commands, Print and Copy read its folder.
#include "dtc/BeforeAndAfter.h"
#include "dtc/RunComparison.h"
#include "history/RunName.h"
#include "ui/HistoryDlg.h"
#include "ui/MardelloDlg.h"

void CMardelloDlg::OnHistory()
{
    // Listing thousands of runs takes long under Wine: the window opens at once and is filled
    // when the keeping thread has read them.
    CHistoryDlg history(m_historyKeeper, this);
    m_historyDlg = &history;
    const INT_PTR chosen = history.DoModal();
    m_historyDlg = nullptr;
    if (chosen != IDOK && chosen != IDC_HISTORY_COMPARE) return;
    const KeptRunOpening opened = OpenKeptRun(history.ChosenFolder());
    CString notOpened = NotOpenedNote(history.ChosenFolder(), opened, RunTimeText(history.ChosenRun().time));
    if (notOpened.IsEmpty() && chosen == IDC_HISTORY_COMPARE)
        notOpened = NotOpenedNote(history.BeforeFolder(), OpenKeptRun(history.BeforeFolder()),
                                  RunTimeText(history.BeforeRun().time));
    if (!notOpened.IsEmpty()) {
        Say(notOpened);
        return;
    }
    if (chosen == IDC_HISTORY_COMPARE) {
        // The newer run is shown, as a kept run opened is, and the comparison fills the viewer.
        const CString beforeTime = RunTimeText(history.BeforeRun().time);
        const CString afterTime = RunTimeText(history.ChosenRun().time);
        ShowKeptRun(history.ChosenFolder(), opened, afterTime, beforeTime);
        const ComparedRuns compared =
            CompareRuns(m_strVin.IsEmpty() ? history.ChosenRun().vinFolder : m_strVin, history.BeforeFolder(),
                        beforeTime, history.ChosenFolder(), afterTime, m_encodingChoice);
        m_viewCommands.ShowView(kBeforeAndAfterShown, compared.view);
        if (!compared.failure.IsEmpty()) Say(compared.failure);
        return;
    }
    ShowKeptRun(history.ChosenFolder(), opened, RunTimeText(history.ChosenRun().time));
}

// The kept run shown is gone from the history: left, and when another PC deleted it, said so.
void CMardelloDlg::LeaveShownRunIfGone()
{
    if (!m_reportSource.ShowsKeptRun()) return;
    const ShownRunFate fate = m_historyKeeper.FateOf(m_reportSource.Folder());
    if (fate == ShownRunFate::StillKept) return;
    const CString runTime = m_reportSource.KeptRunTime();
    LeaveKeptRun();
    if (fate == ShownRunFate::DeletedElsewhere) Say(DeletedElsewhereNote(runTime));
}

// Until the next device is found. The view shown is read from the run, as when a device is found.
void CMardelloDlg::ShowKeptRun(const CString& folder, const KeptRunOpening& opened, const CString& runTime,
                               const CString& comparedWith)
{
    m_reportSource.KeptRunShown(folder, runTime, opened.vin, comparedWith);
    ReportSourceChanged(!comparedWith.IsEmpty());
    // After the status line shows the run, so that what its job file lacks is said over it.
    m_jobCard.KeptRunShown(folder, opened.card.card, opened.cardNote);
}

// The shown run is gone: back to the device, or to none, as if the run had never been opened.
void CMardelloDlg::LeaveKeptRun()
{
    m_reportSource.KeptRunGone();
    m_jobCard.KeptRunLeft();
    ReportSourceChanged();
}

// A history window open meanwhile shows the history as it is now; a run that could not be
// kept is said in the status line too, so that it is seen without the history window.
void CMardelloDlg::RunKept()
{
    if (m_historyDlg) m_historyDlg->HistoryChanged();
    if (m_historyKeeper.FailedNow()) Say(m_historyKeeper.Note());
    LeaveShownRunIfGone();
}

void CMardelloDlg::RunsDeleted(const std::vector<KeptRun>& asked, const DeleteOutcome& outcome)
{
    if (m_historyDlg) m_historyDlg->RunsDeleted(asked, outcome);
    LeaveShownRunIfGone();
}

void CMardelloDlg::DeviceRunKept(const CString& printFolder, const CString& runFolder)
{
    m_jobCard.DeviceRunKept(printFolder, runFolder);
}

void CMardelloDlg::JobCardKept(const CString& runFolder, const JobCard& card)
{
    m_historyKeeper.JobCardKept(runFolder, card);
}

void CMardelloDlg::Say(const CString& note)
{
    m_reportSource.Say(note);
    ShowSource();
    ::UpdateWindow(m_hWnd);
}
