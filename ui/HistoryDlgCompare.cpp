// The history window's Compare: two runs of one vehicle, chosen with Ctrl+click or as one run and
// the run before it, for the main window to show side by side. A choice that is not two runs of
// one VIN is said in the window's note.
#include "ui/HistoryDlg.h"

#include <commctrl.h>

#include "history/KeptRuns.h"

std::vector<size_t> CHistoryDlg::SelectedRuns() const
{
    std::vector<size_t> runs;
    const CWnd list = GetDlgItem(IDC_HISTORY_LIST);
    for (auto item = static_cast<int>(list.SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
         item >= 0 && item < static_cast<int>(m_listed.size());
         item = static_cast<int>(list.SendMessage(LVM_GETNEXTITEM, item, LVNI_SELECTED)))
        runs.push_back(m_listed[item]);
    return runs;
}

CString CHistoryDlg::BeforeFolder() const { return RunFolderPath(m_historyFolder, m_before); }

void CHistoryDlg::OnCompare()
{
    RunPair pair{};
    if (SelectedPair(m_runs, SelectedRuns(), pair)) return Compare(pair);
    GetDlgItem(IDC_HISTORY_FAILURE).SetWindowText("To compare, select two runs of one VIN (Ctrl+click the second).");
}

void CHistoryDlg::OnComparePrevious()
{
    const std::vector<size_t> selected = SelectedRuns();
    RunPair pair{};
    if (selected.size() == 1 && WithPrevious(m_runs, selected[0], pair)) return Compare(pair);
    GetDlgItem(IDC_HISTORY_FAILURE)
        .SetWindowText(selected.size() == 1 ? "No earlier run of this VIN is kept to compare with."
                                            : "To compare with the run before it, select one run.");
}

void CHistoryDlg::Compare(const RunPair& pair)
{
    m_before = m_runs[pair.before];
    m_chosen = m_runs[pair.after];
    EndDialog(IDC_HISTORY_COMPARE);
}
