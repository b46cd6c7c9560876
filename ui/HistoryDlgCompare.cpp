// The history window's Compare: two runs of one vehicle, chosen with Ctrl+click or as one run and
// the run before it, for the main window to show side by side. A choice that is not two runs of
// one VIN is said in the window's note.
#include "ui/HistoryDlg.h"

#include <commctrl.h>

#include "history/KeptRuns.h"
#include "history/VinFolder.h"

std::vector<size_t> CHistoryDlg::SelectedRuns() const
{
    std::vector<size_t> runs;
    const CWnd list = GetDlgItem(IDC_HISTORY_LIST);
    for (auto item = static_cast<int>(list.SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
         item >= 0 && item < static_cast<int>(m_listed.size());
         item = static_cast<int>(list.SendMessage(LVM_GETNEXTITEM, item, LVNI_SELECTED)))
        if (m_listed[item] < Runs().size()) runs.push_back(m_listed[item]);
    return runs;
}

std::vector<KeptRun> CHistoryDlg::SelectedRunsByFolder() const
{
    std::vector<KeptRun> runs;
    for (size_t index : SelectedRuns()) runs.push_back(Runs()[index]);
    return runs;
}

CString CHistoryDlg::BeforeFolder() const { return RunFolderPath(HistoryPath(), m_before); }

void CHistoryDlg::OnCompare()
{
    const std::vector<size_t> selected = SelectedRuns();
    RunPair pair{};
    if (SelectedPair(Runs(), selected, pair)) return Compare(pair);
    if (selected.size() != 2) return ShowNote("To compare, select two runs of one VIN (Ctrl+click the second).");
    const KeptRun& first = Runs()[selected[0]];
    ShowNote(first.vinFolder == kNoVinFolder || Runs()[selected[1]].vinFolder == kNoVinFolder
                 ? "A run kept without a VIN may be of any vehicle: it is not compared."
                 : "These two runs are of different vehicles: select two runs of one VIN to compare.");
}

void CHistoryDlg::OnComparePrevious()
{
    const std::vector<size_t> selected = SelectedRuns();
    RunPair pair{};
    if (selected.size() == 1 && WithPrevious(Runs(), selected[0], pair)) return Compare(pair);
    ShowNote(selected.size() != 1                               ? "To compare with the run before it, select one run."
             : Runs()[selected[0]].vinFolder == kNoVinFolder ? "A run kept without a VIN may be of any vehicle: it is not compared."
                                                               : "This is the oldest run of its VIN: no earlier run is kept to compare with.");
}

void CHistoryDlg::Compare(const RunPair& pair)
{
    m_before = Runs()[pair.before];
    m_chosen = Runs()[pair.after];
    EndDialog(IDC_HISTORY_COMPARE);
}
