#include "ui/HistoryDlg.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/SystemLibrary.h"
#include "history/HistoryFolder.h"
#include "history/HistoryRows.h"
#include "history/KeepSetting.h"
#include "history/KeptRuns.h"
#include "ui/ExploreFolder.h"
#include "ui/HistoryFolderPicker.h"

namespace {

struct Column {
    const char* title;
    int widthDialogUnits;
};
// In the order of HistoryColumn; the widths are fitted to the texts once the list is filled.
constexpr Column kColumns[] = {{"VIN", 110}, {"Run", 80}, {"Trouble codes", 60}, {"Plate", 58}};

// Dialog units a column needs beside its text's width, as the list pads its cells.
constexpr int kColumnPadding = 10;

// A timer's tick comes only when no paint is due, so this one-shot waits for the window's first paint.
constexpr UINT_PTR kFillListTimer = 0x4846;

constexpr const char* kNoneMatches = "No kept run matches";
constexpr const char* kNoneKept = "No run has been kept yet";
// After the time of a run kept on this PC while the history's folder could not be reached.
constexpr const char* kWaiting = " (waiting to be shared)";

CString RunsCounted(size_t count)
{
    return count == 1 ? CString("1 run") : CString(std::to_string(count).c_str()) + " runs";
}

CString MovingNote(size_t count) { return "Moving " + RunsCounted(count) + " to the Recycle Bin..."; }

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

CHistoryDlg::CHistoryDlg(CHistoryKeeper& keeper, CWnd* parent)
    : CDialogEx(IDD_HISTORY, parent), m_keeper(keeper), m_keepNote(keeper.Note())
{
}

std::vector<KeptRun>& CHistoryDlg::Runs() { return m_keeper.Runs() ? *m_keeper.Runs() : m_noRuns; }

const std::vector<KeptRun>& CHistoryDlg::Runs() const { return m_keeper.Runs() ? *m_keeper.Runs() : m_noRuns; }

BEGIN_MESSAGE_MAP(CHistoryDlg, CDialogEx)
    ON_EN_CHANGE(IDC_HISTORY_FILTER, &CHistoryDlg::OnFilterChange)
    ON_BN_CLICKED(IDC_HISTORY_OPEN_FOLDER, &CHistoryDlg::OnOpenFolder)
    ON_BN_CLICKED(IDC_HISTORY_DELETE, &CHistoryDlg::OnDelete)
    ON_BN_CLICKED(IDC_HISTORY_KEEP, &CHistoryDlg::OnKeepClicked)
    ON_BN_CLICKED(IDC_HISTORY_FOLDER, &CHistoryDlg::OnChooseFolder)
    ON_BN_CLICKED(IDC_HISTORY_COPY_EARLIER, &CHistoryDlg::OnCopyEarlierRuns)
    ON_BN_CLICKED(IDC_HISTORY_COMPARE, &CHistoryDlg::OnCompare)
    ON_BN_CLICKED(IDC_HISTORY_COMPARE_PREVIOUS, &CHistoryDlg::OnComparePrevious)
    ON_NOTIFY(LVN_GETDISPINFOA, IDC_HISTORY_LIST, &CHistoryDlg::OnGetDispInfo)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_HISTORY_LIST, &CHistoryDlg::OnColumnClick)
    ON_NOTIFY(NM_DBLCLK, IDC_HISTORY_LIST, &CHistoryDlg::OnDoubleClick)
    ON_NOTIFY(LVN_KEYDOWN, IDC_HISTORY_LIST, &CHistoryDlg::OnListKeyDown)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_HISTORY_LIST, &CHistoryDlg::OnItemChanged)
    ON_NOTIFY(LVN_ODSTATECHANGED, IDC_HISTORY_LIST, &CHistoryDlg::OnItemChanged)
    ON_NOTIFY(NM_CUSTOMDRAW, IDC_HISTORY_LIST, &CHistoryDlg::OnCustomDraw)
    ON_WM_CTLCOLOR()
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
    ON_TIMER(kFillListTimer, &CHistoryDlg::OnFillList)
    ON_MESSAGE_SEEN(WM_DESTROY, &CHistoryDlg::OnDestroy)
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
    ShowSortArrow();
    ::CheckDlgButton(m_hWnd, IDC_HISTORY_KEEP, KeepsReports() ? BST_CHECKED : BST_UNCHECKED);
    PlaceAsLastLeft();
    m_historyFolder = m_keeper.Folder().IsEmpty() ? HistoryFolder() : m_keeper.Folder();
    ShowFolder();
    ShowEarlierRunsOffer();
    m_keeper.Watch(true);
    ShowNote(KeeperNote());

    // Sorting and listing thousands of runs takes Wine longer than showing the window: the
    // window shows first, with its run buttons grey until a run is listed and selected.
    EnableRunButtons();
    ::SetTimer(m_hWnd, kFillListTimer, USER_TIMER_MINIMUM, nullptr);
    // Typing filters at once.
    ::SetFocus(GetDlgItem(IDC_HISTORY_FILTER));
    return FALSE;  // the focus is set
}

BOOL CHistoryDlg::PreTranslateMessage(MSG* message)
{
    if (message->message != WM_KEYDOWN || message->hwnd != GetDlgItem(IDC_HISTORY_FILTER).m_hWnd) return FALSE;
    switch (message->wParam) {
    case 'A':
        if (::GetKeyState(VK_CONTROL) >= 0) return FALSE;
        GetDlgItem(IDC_HISTORY_FILTER).SendMessage(EM_SETSEL, 0, -1);
        return TRUE;
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

// The note says which run is being kept or why one could not be, what was deleted, or why a
// button could not act; without one, the list takes its band.
void CHistoryDlg::ShowNote(const CString& note)
{
    const CWnd label = GetDlgItem(IDC_HISTORY_FAILURE);
    label.SetWindowText(note);
    ::ShowWindow(label, note.IsEmpty() ? SW_HIDE : SW_SHOWNA);
    Layout();
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

// Each column as wide as its widest text: the longest VIN folder's name, a run's time, and the
// title of the codes' column, a plate of ten letters; the last column takes what room is left.
void CHistoryDlg::FitColumns() const
{
    const CWnd list = GetDlgItem(IDC_HISTORY_LIST);
    RECT padding{0, 0, kColumnPadding, 0};
    ::MapDialogRect(m_hWnd, &padding);
    CString longestVin;
    bool anyWaiting = false;
    for (const KeptRun& run : Runs()) {
        anyWaiting = anyWaiting || !run.waitingIn.IsEmpty();
        for (const CString& vin : {run.vinFolder, run.vin})
            if (vin.GetLength() > longestVin.GetLength()) longestVin = vin;
    }
    const CString widest[] = {longestVin, RunTimeText(RunTime{2000, 12, 28, 20, 58, 58}) + (anyWaiting ? kWaiting : ""),
                              CString("9999"),
                              CString("WWWWWWWWWW")};
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
void CHistoryDlg::ShowList(const std::vector<KeptRun>& selected, int row)
{
    const CString filter = GetDlgItem(IDC_HISTORY_FILTER).GetWindowText();
    m_listed = ListedRuns(Runs(), filter, m_sortColumn, m_ascending);
    m_listFilled = true;
    const CWnd list = GetDlgItem(IDC_HISTORY_LIST);
    list.SendMessage(LVM_SETITEMCOUNT, m_listed.size(), 0);
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    list.SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    std::vector<int> rows;
    for (const KeptRun& run : selected)
        if (const int at = RowOf(run); at >= 0) rows.push_back(at);
    FindDeletingRows();
    if (rows.empty() && !m_listed.empty()) rows.push_back(std::clamp(row, 0, static_cast<int>(m_listed.size()) - 1));
    state.state = LVIS_SELECTED;
    for (int each : rows) list.SendMessage(LVM_SETITEMSTATE, each, reinterpret_cast<LPARAM>(&state));
    if (!rows.empty()) {
        state.state = state.stateMask = LVIS_FOCUSED;
        list.SendMessage(LVM_SETITEMSTATE, rows.front(), reinterpret_cast<LPARAM>(&state));
        list.SendMessage(LVM_ENSUREVISIBLE, rows.front(), FALSE);
    }
    list.Invalidate();
    // An empty list says why, in its place: a share still being read may hold many runs.
    const CWnd none = GetDlgItem(IDC_HISTORY_NONE);
    none.SetWindowText(!m_keeper.Runs() ? ReadingNote() : filter.IsEmpty() ? CString(kNoneKept) : CString(kNoneMatches));
    ::ShowWindow(list, m_listed.empty() ? SW_HIDE : SW_SHOWNA);
    ::ShowWindow(none, m_listed.empty() ? SW_SHOWNA : SW_HIDE);
    EnableRunButtons();
    Layout();  // whole rows are known once there is one
}

// Open, Open Folder, Delete and Compare act on the selected runs: grey while none is. One
// deletion at a time: Delete is grey while one runs.
void CHistoryDlg::EnableRunButtons() const
{
    const bool selected = SelectedRun() >= 0;
    for (int id : {IDOK, IDC_HISTORY_OPEN_FOLDER, IDC_HISTORY_DELETE, IDC_HISTORY_COMPARE, IDC_HISTORY_COMPARE_PREVIOUS}) {
        const CWnd button = GetDlgItem(id);
        const bool enabled = selected && (id != IDC_HISTORY_DELETE || !m_keeper.Deleting());
        // A button about to be disabled hands the keyboard on, or the keys would reach nothing.
        if (!enabled && ::GetFocus() == button) ::SetFocus(GetDlgItem(IDC_HISTORY_FILTER));
        ::EnableWindow(button, enabled);
    }
}

int CHistoryDlg::SelectedRun() const
{
    const auto item = static_cast<int>(
        GetDlgItem(IDC_HISTORY_LIST).SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    return item >= 0 && item < static_cast<int>(m_listed.size()) ? static_cast<int>(m_listed[item]) : -1;
}

int CHistoryDlg::RowOf(const KeptRun& run) const
{
    for (size_t row = 0; row < m_listed.size(); ++row)
        if (Runs()[m_listed[row]].IsSameFolder(run)) return static_cast<int>(row);
    return -1;
}

// The history folder whose runs the window lists.
const CString& CHistoryDlg::HistoryPath() const { return m_historyFolder; }

CString CHistoryDlg::ChosenFolder() const { return RunFolderPath(HistoryPath(), m_chosen); }

void CHistoryDlg::OnOK()
{
    const int run = SelectedRun();
    if (run < 0) return;
    m_chosen = Runs()[run];
    EndDialog(IDOK);
}

void CHistoryDlg::OnFilterChange() { ShowList({}); }

void CHistoryDlg::OnOpenFolder()
{
    const int run = SelectedRun();
    if (run >= 0) ExploreFolder(m_hWnd, RunFolderPath(HistoryPath(), Runs()[run]));
}

// Every selected run, in one move to the Recycle Bin, on the keeper's thread for deleting: a
// share that stops answering holds that thread up, not the window. The runs are named by their
// folders: the list may change while the system deletes.
void CHistoryDlg::OnDelete()
{
    const std::vector<KeptRun> selected = SelectedRunsByFolder();
    if (selected.empty() || m_keeper.Deleting()) return;
    if (!m_keeper.Delete(selected)) {
        ShowNote("The runs could not be moved to the Recycle Bin: the system could not start deleting.");
        return;
    }
    m_deleting = selected;
    FindDeletingRows();
    ShowNote(MovingNote(selected.size()));
    EnableRunButtons();
}

// The runs chosen stay chosen where they are still listed (those that could not be moved, or
// others chosen meanwhile); otherwise the row after the last run that went is.
void CHistoryDlg::RunsDeleted(const std::vector<KeptRun>& asked, const DeleteOutcome& outcome)
{
    if (!m_hWnd) return;
    std::vector<int> gone;
    if (m_deletingRows.size() == asked.size())
        for (size_t i : outcome.deleted)
            if (m_deletingRows[i] >= 0) gone.push_back(m_deletingRows[i]);
    const int listed = m_deletingListed;
    m_deleting.clear();
    m_keepNote = m_keeper.Note();
    const std::vector<KeptRun> chosen = m_selected;
    ShowList(chosen, RowAfterDeleting(listed, gone));
    const size_t count = outcome.deleted.size();
    CString note = count ? RunsCounted(count) + (outcome.forGood ? " deleted for good." : " moved to the Recycle Bin.") : CString();
    if (!outcome.why.IsEmpty()) note += (note.IsEmpty() ? "" : " ") + outcome.why;
    ShowNote(note);
}

// What the keeper has to say; without that, that runs are being moved, or the list read.
CString CHistoryDlg::KeeperNote() const
{
    const CString note = m_keeper.Note();
    return !note.IsEmpty()        ? note
           : m_keeper.Deleting()  ? MovingNote(m_keeper.Deleting())
           : !m_keeper.Runs()     ? ReadingNote()
                                  : CString();
}

// Where the runs being deleted are listed now, for the row to select once they are gone.
void CHistoryDlg::FindDeletingRows()
{
    m_deletingRows.clear();
    for (const KeptRun& run : m_deleting) m_deletingRows.push_back(RowOf(run));
    m_deletingListed = static_cast<int>(m_listed.size());
}

void CHistoryDlg::OnFillList()
{
    ::KillTimer(m_hWnd, kFillListTimer);
    // Not while the window opens: the thread reading thousands of runs would hold it up.
    if (!m_keeper.Runs()) m_keeper.ReadNow();
    if (m_listFilled) return;  // the history read meanwhile filled it
    FitColumns();  // first: resizing a column of a list that shows runs redraws them
    ShowList({});
}

void CHistoryDlg::HistoryChanged()
{
    if (!m_hWnd) return;
    // A note of the window's own stays until the keeper has something new to say.
    const CString keepNote = m_keeper.Note();
    const bool wasReading = GetDlgItem(IDC_HISTORY_FAILURE).GetWindowText() == ReadingNote();
    if (!m_keeper.Folder().IsEmpty()) m_historyFolder = m_keeper.Folder();
    ShowFolder();
    ShowEarlierRunsOffer();
    if (keepNote != m_keepNote || wasReading) {
        m_keepNote = keepNote;
        ShowNote(KeeperNote());
    }
    // The user's choice stays chosen: Del pressed next deletes the runs they chose.
    const std::vector<KeptRun> chosen = m_selected;
    FitColumns();  // the runs read after the window opened have their own VINs
    ShowList(chosen);
}

void CHistoryDlg::OnKeepClicked()
{
    const bool keep = ::IsDlgButtonChecked(m_hWnd, IDC_HISTORY_KEEP) == BST_CHECKED;
    if (SetKeepsReports(keep)) return;
    ShowNote(keep ? "Keeping could not be turned on for good: the setting could not be stored."
                  : "Keeping could not be turned off for good: the setting could not be stored.");
}

// The runs kept earlier on this PC are offered until they are all in the history in use.
void CHistoryDlg::ShowEarlierRunsOffer()
{
    const size_t count = m_keeper.EarlierRuns();
    if (count) GetDlgItem(IDC_HISTORY_EARLIER).SetWindowText(RunsCounted(count) + " kept earlier on this PC:");
    for (int id : {IDC_HISTORY_EARLIER, IDC_HISTORY_COPY_EARLIER}) ::ShowWindow(GetDlgItem(id), count ? SW_SHOWNA : SW_HIDE);
}

// Copied on the keeper's thread; the note says how it goes, and the list takes them as they come.
void CHistoryDlg::OnCopyEarlierRuns()
{
    m_keeper.CopyEarlierRuns();
    ShowEarlierRunsOffer();
    ShowNote(m_keepNote = m_keeper.Note());
}

void CHistoryDlg::ShowFolder()
{
    const bool setByPolicy = !PolicyHistoryFolder().IsEmpty();
    GetDlgItem(IDC_HISTORY_FOLDER_SHOWN)
        .SetWindowText("History folder: " + m_historyFolder +
                       (setByPolicy ? CString(" (set for every PC by the administrator)") : CString()));
    ::EnableWindow(GetDlgItem(IDC_HISTORY_FOLDER), !setByPolicy);
}

// The list is read from the new folder on the keeper's thread; the runs kept in the old one
// stay there.
void CHistoryDlg::OnChooseFolder()
{
    CString chosen;
    if (!PickHistoryFolder(m_hWnd, chosen) || chosen.CompareNoCase(m_historyFolder) == 0) return;
    if (!SetHistoryFolder(chosen)) {
        ShowNote("The history folder could not be changed: the setting could not be stored.");
        return;
    }
    m_historyFolder = HistoryFolder();
    m_keeper.FolderChanged();
    ShowFolder();
    ShowNote(m_keeper.Runs() ? m_keeper.Note() : ReadingNote());
    ShowList({});
}

void CHistoryDlg::OnGetDispInfo(NMHDR* header, LRESULT*)
{
    auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
    LVITEMA& item = info->item;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0 || item.iItem < 0 ||
        item.iItem >= static_cast<int>(m_listed.size()) || m_listed[item.iItem] >= Runs().size())
        return;
    // Nothing is read here: a slow share would hold the window up. Until the keeper has read a
    // run's VIN.DAT, its folder's name stands for it.
    const KeptRun& run = Runs()[m_listed[item.iItem]];
    const CString& vin = run.vin.IsEmpty() ? run.vinFolder : run.vin;
    // The codes are blank until the keeping thread has read them.
    const CString codes = m_keeper.CodesRead() ? CString(std::to_string(CodeCount(run.codes)).c_str()) : CString();
    const CString time = RunTimeText(run.time) + (run.waitingIn.IsEmpty() ? "" : kWaiting);
    const CString text = item.iSubItem == 0   ? vin
                         : item.iSubItem == 1 ? time
                         : item.iSubItem == 2 ? codes
                                              : run.plate;
    ::lstrcpynA(item.pszText, text, item.cchTextMax);
}

// A click on the column the list is sorted by turns the order round; another column sorts
// by itself, the run's time and the most codes first, the VIN from A. The runs selected stay so.
void CHistoryDlg::OnColumnClick(NMHDR* header, LRESULT*)
{
    const auto column = static_cast<HistoryColumn>(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
    m_ascending = column == m_sortColumn ? !m_ascending : column == HistoryColumn::Vin || column == HistoryColumn::Plate;
    m_sortColumn = column;
    ShowSortArrow();
    ShowList(SelectedRunsByFolder());
}

// The header's arrow on the sorted column, pointing up when ascending.
void CHistoryDlg::ShowSortArrow() const
{
    const auto header = reinterpret_cast<HWND>(GetDlgItem(IDC_HISTORY_LIST).SendMessage(LVM_GETHEADER));
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        HDITEMA item{};
        item.mask = HDI_FORMAT;
        if (!::SendMessageA(header, HDM_GETITEMA, i, reinterpret_cast<LPARAM>(&item))) continue;
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == static_cast<int>(m_sortColumn)) item.fmt |= m_ascending ? HDF_SORTUP : HDF_SORTDOWN;
        ::SendMessageA(header, HDM_SETITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
}

void CHistoryDlg::OnDoubleClick(NMHDR* header, LRESULT*)
{
    if (reinterpret_cast<NMITEMACTIVATE*>(header)->iItem >= 0) OnOK();
}

void CHistoryDlg::OnListKeyDown(NMHDR* header, LRESULT*)
{
    if (reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey == VK_DELETE) OnDelete();
}

// Also the list's notice that a range of rows changed state, which carries no uChanged.
void CHistoryDlg::OnItemChanged(NMHDR* header, LRESULT*)
{
    if (header->code == static_cast<UINT>(LVN_ITEMCHANGED) && !(reinterpret_cast<NMLISTVIEW*>(header)->uChanged & LVIF_STATE))
        return;
    m_selected = SelectedRunsByFolder();
    EnableRunButtons();
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

// The line that stands for an empty list looks like the list: white.
HBRUSH CHistoryDlg::OnCtlColor(CDCHandle dc, CWnd control, UINT kind)
{
    if (kind != CTLCOLOR_STATIC || ::GetDlgCtrlID(control) != IDC_HISTORY_NONE) return reinterpret_cast<HBRUSH>(Default());
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    ::SetTextColor(dc, ::GetSysColor(COLOR_GRAYTEXT));
    return ::GetSysColorBrush(COLOR_WINDOW);
}
