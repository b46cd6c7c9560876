#include "ui/HistoryDlg.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "framework/SystemLibrary.h"
#include "history/DeleteKeptRuns.h"
#include "history/HistoryFolder.h"
#include "history/KeepSetting.h"
#include "history/KeptRuns.h"

namespace {

struct Column {
    const char* title;
    int widthDialogUnits;
};
// In the order of HistoryColumn; the widths are fitted to the texts once the list is filled.
constexpr Column kColumns[] = {{"VIN", 110}, {"Run", 80}, {"Reports", 118}};

// Dialog units a column needs beside its text's width, as the list pads its cells.
constexpr int kColumnPadding = 10;
// Dialog units below the last control shown.
constexpr int kBottomMargin = 7;

constexpr const char* kNoneMatches = "No kept run matches";
constexpr const char* kNoneKept = "No run has been kept yet";

// The list-view is a common control; the library is loaded when first needed (see PrintDialog.cpp).
void RegisterListView()
{
    using InitCommonControlsFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    static const auto init = LoadSystemFunction<InitCommonControlsFunction>("comctl32.dll", "InitCommonControlsEx");
    if (!init) return;
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_LISTVIEW_CLASSES;
    init(&controls);
}

}  // namespace

CHistoryDlg::CHistoryDlg(const CString& keepNote, const std::vector<KeptRun>* runsRead, bool beingRead, CWnd* parent)
    : CDialogEx(IDD_HISTORY, parent), m_strKeepNote(keepNote), m_pRunsRead(runsRead), m_bBeingRead(beingRead && !runsRead)
{
}

BEGIN_MESSAGE_MAP(CHistoryDlg, CDialogEx)
    ON_EN_CHANGE(IDC_HISTORY_FILTER, &CHistoryDlg::OnFilterChange)
    ON_BN_CLICKED(IDC_HISTORY_OPEN_FOLDER, &CHistoryDlg::OnOpenFolder)
    ON_BN_CLICKED(IDC_HISTORY_DELETE, &CHistoryDlg::OnDelete)
    ON_BN_CLICKED(IDC_HISTORY_KEEP, &CHistoryDlg::OnKeepClicked)
    ON_BN_CLICKED(IDC_HISTORY_COMPARE, &CHistoryDlg::OnCompare)
    ON_BN_CLICKED(IDC_HISTORY_COMPARE_PREVIOUS, &CHistoryDlg::OnComparePrevious)
    ON_NOTIFY(LVN_GETDISPINFOA, IDC_HISTORY_LIST, &CHistoryDlg::OnGetDispInfo)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_HISTORY_LIST, &CHistoryDlg::OnColumnClick)
    ON_NOTIFY(NM_DBLCLK, IDC_HISTORY_LIST, &CHistoryDlg::OnDoubleClick)
    ON_NOTIFY(LVN_KEYDOWN, IDC_HISTORY_LIST, &CHistoryDlg::OnListKeyDown)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_HISTORY_LIST, &CHistoryDlg::OnItemChanged)
    ON_NOTIFY(NM_CUSTOMDRAW, IDC_HISTORY_LIST, &CHistoryDlg::OnCustomDraw)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

INT_PTR CHistoryDlg::DoModal()
{
    RegisterListView();
    return CDialogEx::DoModal();
}

BOOL CHistoryDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    const CWnd list = GetDlgItem(IDC_HISTORY_LIST);
    list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    AddColumns();
    ::CheckDlgButton(m_hWnd, IDC_HISTORY_KEEP, KeepsReports() ? BST_CHECKED : BST_UNCHECKED);
    ShowNote(m_bBeingRead && m_strKeepNote.IsEmpty() ? CString("Reading the history...") : m_strKeepNote);

    m_historyFolder = HistoryFolder();
    if (m_pRunsRead) m_runs = *m_pRunsRead;
    else if (!m_bBeingRead) m_runs = ReadKeptRuns(m_historyFolder);
    ShowList(0);
    FitColumns();
    // Typing filters at once.
    ::SetFocus(GetDlgItem(IDC_HISTORY_FILTER));
    return FALSE;  // the focus is set
}

BOOL CHistoryDlg::PreTranslateMessage(MSG* message)
{
    if (message->message != WM_KEYDOWN || message->hwnd != GetDlgItem(IDC_HISTORY_FILTER).m_hWnd) return FALSE;
    switch (message->wParam) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
        GetDlgItem(IDC_HISTORY_LIST).SendMessage(WM_KEYDOWN, message->wParam, message->lParam);
        return TRUE;
    default:
        return FALSE;
    }
}

// The note says which run is being kept or why one could not be; without one, the window ends
// below the keep setting instead of showing an empty band.
void CHistoryDlg::ShowNote(const CString& note)
{
    const CWnd label = GetDlgItem(IDC_HISTORY_FAILURE);
    label.SetWindowText(note);
    ::ShowWindow(label, note.IsEmpty() ? SW_HIDE : SW_SHOWNA);
    CRect last;
    GetDlgItem(note.IsEmpty() ? IDC_HISTORY_KEEP : IDC_HISTORY_FAILURE).GetWindowRect(&last);
    POINT bottom{0, last.bottom};
    ::ScreenToClient(m_hWnd, &bottom);
    RECT margin{0, 0, 0, kBottomMargin};
    ::MapDialogRect(m_hWnd, &margin);
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, window.Width(), window.Height() - client.Height() + bottom.y + margin.bottom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CHistoryDlg::AddColumns() const
{
    const CWnd list = GetDlgItem(IDC_HISTORY_LIST);
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        RECT width{0, 0, kColumns[i].widthDialogUnits, 0};
        ::MapDialogRect(m_hWnd, &width);
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(kColumns[i].title);
        column.cx = width.right;
        column.iSubItem = i;
        list.SendMessage(LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

// Each column as wide as its widest text: the longest VIN folder's name, a run's time, and every
// report named; the last column takes what room is left.
void CHistoryDlg::FitColumns() const
{
    const CWnd list = GetDlgItem(IDC_HISTORY_LIST);
    RECT padding{0, 0, kColumnPadding, 0};
    ::MapDialogRect(m_hWnd, &padding);
    CString longestVin;
    for (const KeptRun& run : m_runs)
        for (const CString& vin : {run.vinFolder, run.vin})
            if (vin.GetLength() > longestVin.GetLength()) longestVin = vin;
    const CString widest[] = {longestVin, RunTimeText(RunTime{2000, 12, 28, 20, 58, 58}), EveryReportNamed()};
    int used = 0;
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        const int text = static_cast<int>(std::max(
            list.SendMessage(LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(widest[i]))),
            list.SendMessage(LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(kColumns[i].title))));
        list.SendMessage(LVM_SETCOLUMNWIDTH, i, text + padding.right);
        used += text + padding.right;
    }
    CRect room;
    list.GetClientRect(&room);
    const int last = static_cast<int>(std::size(kColumns)) - 1;
    const int lastWidth = static_cast<int>(list.SendMessage(LVM_GETCOLUMNWIDTH, last));
    const int scrollBar = ::GetSystemMetrics(SM_CXVSCROLL);
    if (used + scrollBar < room.Width()) list.SendMessage(LVM_SETCOLUMNWIDTH, last, lastWidth + room.Width() - scrollBar - used);
}

// The list holds no text of its own: it asks for the rows it shows, so thousands of runs cost
// no more than a screenful.
void CHistoryDlg::ShowList(int selected)
{
    const CString filter = GetDlgItem(IDC_HISTORY_FILTER).GetWindowText();
    if (m_sortColumn == HistoryColumn::Reports)
        for (size_t i = 0; i < m_runs.size(); ++i) RunWithReports(i);
    m_listed = ListedRuns(m_runs, filter, m_sortColumn, m_ascending);
    const CWnd list = GetDlgItem(IDC_HISTORY_LIST);
    list.SendMessage(LVM_SETITEMCOUNT, m_listed.size(), 0);
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    list.SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    if (!m_listed.empty()) {
        selected = std::min(selected, static_cast<int>(m_listed.size()) - 1);
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        list.SendMessage(LVM_SETITEMSTATE, selected, reinterpret_cast<LPARAM>(&state));
        list.SendMessage(LVM_ENSUREVISIBLE, selected, FALSE);
    }
    list.Invalidate();
    // An empty list says why, in its place.
    const CWnd none = GetDlgItem(IDC_HISTORY_NONE);
    none.SetWindowText(filter.IsEmpty() ? kNoneKept : kNoneMatches);
    ::ShowWindow(list, m_listed.empty() ? SW_HIDE : SW_SHOWNA);
    ::ShowWindow(none, m_listed.empty() ? SW_SHOWNA : SW_HIDE);
    EnableRunButtons();
}

// Open, Open Folder, Delete and Compare act on the selected runs: grey while none is.
void CHistoryDlg::EnableRunButtons() const
{
    const bool selected = SelectedRun() >= 0;
    for (int id : {IDOK, IDC_HISTORY_OPEN_FOLDER, IDC_HISTORY_DELETE, IDC_HISTORY_COMPARE, IDC_HISTORY_COMPARE_PREVIOUS}) {
        const CWnd button = GetDlgItem(id);
        // A button about to be disabled hands the keyboard on, or the keys would reach nothing.
        if (!selected && ::GetFocus() == button) ::SetFocus(GetDlgItem(IDC_HISTORY_FILTER));
        ::EnableWindow(button, selected);
    }
}

int CHistoryDlg::SelectedRun() const
{
    const auto item = static_cast<int>(
        GetDlgItem(IDC_HISTORY_LIST).SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    return item >= 0 && item < static_cast<int>(m_listed.size()) ? static_cast<int>(m_listed[item]) : -1;
}

KeptRun& CHistoryDlg::RunWithReports(size_t index)
{
    KeptRun& run = m_runs[index];
    if (!run.reportsRead) {
        run.reports = ReportsHeld(RunFolderPath(m_historyFolder, run));
        run.vin = KeptVin(RunFolderPath(m_historyFolder, run));
        run.reportsRead = true;
    }
    return run;
}

int CHistoryDlg::RowOf(const KeptRun& run) const
{
    for (size_t row = 0; row < m_listed.size(); ++row)
        if (m_runs[m_listed[row]].IsSameFolder(run)) return static_cast<int>(row);
    return -1;
}

CString CHistoryDlg::ChosenFolder() const { return RunFolderPath(m_historyFolder, m_chosen); }

void CHistoryDlg::OnOK()
{
    const int run = SelectedRun();
    if (run < 0) return;
    m_chosen = m_runs[run];
    EndDialog(IDOK);
}

void CHistoryDlg::OnFilterChange() { ShowList(0); }

void CHistoryDlg::OnOpenFolder()
{
    static const auto execute = LoadSystemFunction<decltype(&::ShellExecuteA)>("shell32.dll", "ShellExecuteA");
    const int run = SelectedRun();
    if (run < 0 || !execute) return;
    execute(m_hWnd, "explore", RunFolderPath(m_historyFolder, m_runs[run]), nullptr, nullptr, SW_SHOWNORMAL);
}

// To the Recycle Bin, from where the user can bring it back: so no question is asked first,
// unless the bin cannot take it. The run is named by its folder: the list may be read again
// while the system deletes.
void CHistoryDlg::OnDelete()
{
    const int selected = SelectedRun();
    if (selected < 0) return;
    const KeptRun run = m_runs[selected];
    const int row = RowOf(run);
    const DeleteOutcome outcome = DeleteKeptRuns(m_historyFolder, {run});
    if (outcome.deleted.empty()) {
        ShowNote("The run " + run.vinFolder + " of " + RunTimeText(run.time) + " could not be moved to the Recycle Bin.");
        return;
    }
    if (!outcome.why.IsEmpty()) ShowNote(outcome.why);
    m_deleted.push_back(RunFolderPath(m_historyFolder, run));
    for (size_t i = 0; i < m_runs.size(); ++i)
        if (m_runs[i].IsSameFolder(run)) {
            m_runs.erase(m_runs.begin() + i);
            break;
        }
    ShowList(std::max(row, 0));
}

void CHistoryDlg::KeepDone(const CString& keepNote, const std::vector<KeptRun>& runs)
{
    if (!m_hWnd) return;
    m_bBeingRead = false;
    ShowNote(keepNote);
    // The user's choice stays chosen: Del pressed next deletes the run they chose.
    const int selected = SelectedRun();
    const KeptRun chosen = selected >= 0 ? m_runs[selected] : KeptRun{};
    m_runs = runs;
    FitColumns();  // the runs read after the window opened have their own VINs
    ShowList(0);
    const int row = selected >= 0 ? RowOf(chosen) : -1;
    if (row > 0) ShowList(row);
}

void CHistoryDlg::OnKeepClicked()
{
    const bool keep = ::IsDlgButtonChecked(m_hWnd, IDC_HISTORY_KEEP) == BST_CHECKED;
    if (SetKeepsReports(keep)) return;
    GetDlgItem(IDC_HISTORY_FAILURE).SetWindowText(keep ? "Keeping could not be turned on for good: the setting could not be stored."
                                                       : "Keeping could not be turned off for good: the setting could not be stored.");
}

void CHistoryDlg::OnGetDispInfo(NMHDR* header, LRESULT*)
{
    auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
    LVITEMA& item = info->item;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0 || item.iItem < 0 || item.iItem >= static_cast<int>(m_listed.size())) return;
    const KeptRun& run = RunWithReports(m_listed[item.iItem]);
    const CString& vin = run.vin.IsEmpty() ? run.vinFolder : run.vin;
    const CString text = item.iSubItem == 0 ? vin : item.iSubItem == 1 ? RunTimeText(run.time) : run.reports;
    ::lstrcpynA(item.pszText, text, item.cchTextMax);
}

// A click on the column the list is sorted by turns the order round; another column sorts
// by itself, the run's time newest first, the others from A.
void CHistoryDlg::OnColumnClick(NMHDR* header, LRESULT*)
{
    const auto column = static_cast<HistoryColumn>(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
    m_ascending = column == m_sortColumn ? !m_ascending : column != HistoryColumn::Time;
    m_sortColumn = column;
    ShowList(0);
}

void CHistoryDlg::OnDoubleClick(NMHDR* header, LRESULT*)
{
    if (reinterpret_cast<NMITEMACTIVATE*>(header)->iItem >= 0) OnOK();
}

void CHistoryDlg::OnListKeyDown(NMHDR* header, LRESULT*)
{
    if (reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey == VK_DELETE) OnDelete();
}

void CHistoryDlg::OnItemChanged(NMHDR* header, LRESULT*)
{
    if (reinterpret_cast<NMLISTVIEW*>(header)->uChanged & LVIF_STATE) EnableRunButtons();
}

// The selected row in the highlight colours even while the filter box has the focus, where the
// list would draw it in a grey hardly told from white.
void CHistoryDlg::OnCustomDraw(NMHDR* header, LRESULT* result)
{
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *result = CDRF_NOTIFYITEMDRAW;
        return;
    }
    if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return;
    const auto item = static_cast<int>(draw->nmcd.dwItemSpec);
    if (!GetDlgItem(IDC_HISTORY_LIST).SendMessage(LVM_GETITEMSTATE, item, LVIS_SELECTED)) return;
    draw->nmcd.uItemState &= ~CDIS_SELECTED;
    draw->clrText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    draw->clrTextBk = ::GetSysColor(COLOR_HIGHLIGHT);
}

bool CHistoryDlg::Deleted(const CString& folder) const
{
    return std::find(m_deleted.begin(), m_deleted.end(), folder) != m_deleted.end();
}

// The line that stands for an empty list looks like the list: white.
HBRUSH CHistoryDlg::OnCtlColor(CDCHandle dc, CWnd control, UINT kind)
{
    if (kind != CTLCOLOR_STATIC || ::GetDlgCtrlID(control) != IDC_HISTORY_NONE) return reinterpret_cast<HBRUSH>(Default());
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    ::SetTextColor(dc, ::GetSysColor(COLOR_GRAYTEXT));
    return ::GetSysColorBrush(COLOR_WINDOW);
}
