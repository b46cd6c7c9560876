#pragma once
// The history window: the kept runs, newest first, filtered by any part of a VIN or a trouble
// code as it is typed. Open (Enter, double-click) ends it with IDOK for the main window to show
// the chosen run; Open Folder shows the run's folder in the Explorer; Delete (Del) moves the
// selected runs to the Recycle Bin. Compare ends it with IDC_HISTORY_COMPARE for two runs of one
// VIN (two selected, or one and the run before it) to be shown side by side. It also holds the
// keep setting and the choice of the history's folder, and its note says which run is being kept or why the last one could not be.
// The list is the keeper's: the window shows it as it is and asks the keeper to delete.
#include <vector>

#include "framework/Dialog.h"
#include "history/ComparedRuns.h"
#include "history/HistoryKeeper.h"
#include "history/HistoryList.h"
#include "res/resource.h"

class CHistoryDlg : public CDialogEx {
public:
    // The keeper has read the history, or is reading it and calls HistoryChanged when done.
    CHistoryDlg(CHistoryKeeper& keeper, CWnd* parent);
    INT_PTR DoModal() override;
    // A run kept, or not, or the history read, while the window is open: the keeper's list changed.
    void HistoryChanged();
    // The keeper moved the runs in `outcome.deleted` of those asked to the Recycle Bin, and
    // dropped them from its list.
    void RunsDeleted(const std::vector<KeptRun>& asked, const DeleteOutcome& outcome);

    // Up, Down, Page Up and Page Down typed in the filter box move through the list; Ctrl+A
    // there selects its text.
    BOOL PreTranslateMessage(MSG* message) override;

    // After IDOK: the run to open and its folder; after IDC_HISTORY_COMPARE the newer of the two.
    const KeptRun& ChosenRun() const { return m_chosen; }
    CString ChosenFolder() const;
    // After IDC_HISTORY_COMPARE: the older run.
    const KeptRun& BeforeRun() const { return m_before; }
    CString BeforeFolder() const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnFilterChange();
    void OnOpenFolder();
    void OnDelete();
    void OnKeepClicked();
    void OnChooseFolder();
    void OnCopyEarlierRuns();
    // In HistoryDlgCompare.cpp.
    void OnCompare();
    void OnComparePrevious();
    void Compare(const RunPair& pair);
    void OnGetDispInfo(NMHDR* header, LRESULT* result);
    void OnColumnClick(NMHDR* header, LRESULT* result);
    void OnDoubleClick(NMHDR* header, LRESULT* result);
    void OnListKeyDown(NMHDR* header, LRESULT* result);
    void OnItemChanged(NMHDR* header, LRESULT* result);
    void OnCustomDraw(NMHDR* header, LRESULT* result);
    HBRUSH OnCtlColor(CDCHandle dc, CWnd control, UINT kind);
    // In HistoryDlgLayout.cpp.
    void OnSize(UINT type, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* limits);
    void OnDestroy(WPARAM wParam, LPARAM lParam);
    // Once the window has shown: its list is filled.
    void OnFillList();

    DECLARE_MESSAGE_MAP()

private:
    const CString& HistoryPath() const;
    void AddColumns() const;
    void FitColumns() const;
    void ShowSortArrow() const;
    // Lists the runs again and selects these runs, where still listed; or, with none, `row`.
    void ShowList(const std::vector<KeptRun>& selected, int row = 0);
    // The list's row of the run in that folder; -1 when it is not listed.
    int RowOf(const KeptRun& run) const;
    void FindDeletingRows();
    void EnableRunButtons() const;
    void ShowNote(const CString& note);
    // The folder the list is read from, and whether the user may choose another.
    void ShowFolder();
    void ShowEarlierRunsOffer();
    CString ReadingNote() const { return "Reading " + m_historyFolder + "..."; }
    CString KeeperNote() const;
    // The selected run as an index into the runs; -1 when none is selected.
    int SelectedRun() const;
    std::vector<size_t> SelectedRuns() const;
    std::vector<KeptRun> SelectedRunsByFolder() const;
    // The keeper's runs; none while they are being read.
    std::vector<KeptRun>& Runs();
    const std::vector<KeptRun>& Runs() const;
    // In HistoryDlgLayout.cpp.
    void Layout();
    void PlaceAsLastLeft();

    CHistoryKeeper& m_keeper;
    CString m_keepNote;
    CString m_historyFolder;  // see HistoryPath
    std::vector<KeptRun> m_noRuns;
    std::vector<size_t> m_listed;  // the runs the list shows, in its order
    bool m_listFilled = false;
    // The runs this window asked the keeper to delete, and their rows as last listed, while it deletes.
    std::vector<KeptRun> m_deleting;
    std::vector<int> m_deletingRows;
    int m_deletingListed = 0;
    // The runs selected, by their folders: the keeper's list may have changed under the rows.
    std::vector<KeptRun> m_selected;
    HistoryColumn m_sortColumn = HistoryColumn::Time;
    bool m_ascending = false;
    KeptRun m_chosen;
    KeptRun m_before;
    // The client area as the dialog's template lays it out, and each control's place in it.
    SIZE m_designed{};
    SIZE m_designedWindow{};
    std::vector<std::pair<int, RECT>> m_placed;
};
