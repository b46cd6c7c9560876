#pragma once
// The history window: the kept runs, newest first, filtered by any part of a VIN or a trouble
// code as it is typed. Open (Enter, double-click) ends it with IDOK for the main window to show
// the chosen run; Open Folder shows the run's folder in the Explorer; Delete (Del) moves it to
// the Recycle Bin. Compare ends it with IDC_HISTORY_COMPARE for two runs of one VIN (two
// selected, or one and the run before it) to be shown side by side. It also holds the keep
// setting, and its note says which run is being kept or why the last one could not be.
#include <vector>

#include "framework/Dialog.h"
#include "history/ComparedRuns.h"
#include "history/HistoryList.h"
#include "res/resource.h"

class CHistoryDlg : public CDialogEx {
public:
    // `runsRead`: the history as read before, to show at once; null: read it now, unless it is
    // `beingRead` elsewhere, and KeepDone brings it.
    CHistoryDlg(const CString& keepNote, const std::vector<KeptRun>* runsRead, bool beingRead, CWnd* parent);
    INT_PTR DoModal() override;
    // A run kept, or not, while the window is open: the history as read after it.
    void KeepDone(const CString& keepNote, const std::vector<KeptRun>& runs);
    // The runs as the window leaves them (deleted ones gone).
    const std::vector<KeptRun>& Runs() const { return m_runs; }
    // Whether the run in `folder` was deleted while the window was open.
    bool Deleted(const CString& folder) const;

    // Up, Down, Page Up and Page Down typed in the filter box move through the list.
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

    DECLARE_MESSAGE_MAP()

private:
    void AddColumns() const;
    void FitColumns() const;
    void ShowList(int selected);
    // The list's row of the run in that folder; -1 when it is not listed.
    int RowOf(const KeptRun& run) const;
    void EnableRunButtons() const;
    void ShowNote(const CString& note);
    // The selected run as an index into m_runs; -1 when none is selected.
    int SelectedRun() const;
    std::vector<size_t> SelectedRuns() const;
    KeptRun& RunWithReports(size_t index);

    CString m_strKeepNote;
    const std::vector<KeptRun>* m_pRunsRead;
    bool m_bBeingRead;
    CString m_historyFolder;
    std::vector<KeptRun> m_runs;
    std::vector<size_t> m_listed;  // the runs the list shows, in its order
    std::vector<CString> m_deleted;  // the folders of the runs deleted
    HistoryColumn m_sortColumn = HistoryColumn::Time;
    bool m_ascending = false;
    KeptRun m_chosen;
    KeptRun m_before;
};
