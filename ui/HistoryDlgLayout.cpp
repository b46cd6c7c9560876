// The history window's size: as large as the user last made it, the list taking what room the
// other controls leave and showing whole rows only.
#include "ui/HistoryDlg.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/WinApp.h"

namespace {

constexpr const char* kSettingsSection = "Settings";
constexpr const char* kWidthEntry = "HistoryWidth";
constexpr const char* kHeightEntry = "HistoryHeight";

// Kept in dialog units, so that it stays the same size for the eye at another display scale.
SIZE PixelsPer100DialogUnits(HWND dialog)
{
    RECT units{0, 0, 100, 100};
    ::MapDialogRect(dialog, &units);
    return {std::max(1L, units.right), std::max(1L, units.bottom)};
}

RECT ClientRectOf(HWND dialog, int id)
{
    RECT place{};
    ::GetWindowRect(::GetDlgItem(dialog, id), &place);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

}  // namespace

void CHistoryDlg::PlaceAsLastLeft()
{
    CRect client, window;
    GetClientRect(&client);
    GetWindowRect(&window);
    m_designed = {client.Width(), client.Height()};
    m_designedWindow = {window.Width(), window.Height()};
    for (int id : {IDC_HISTORY_LIST, IDC_HISTORY_NONE, IDOK, IDC_HISTORY_OPEN_FOLDER, IDC_HISTORY_DELETE, IDC_HISTORY_COMPARE,
                   IDC_HISTORY_COMPARE_PREVIOUS, IDCANCEL, IDC_HISTORY_KEEP, IDC_HISTORY_EARLIER, IDC_HISTORY_COPY_EARLIER,
                   IDC_HISTORY_FOLDER_SHOWN, IDC_HISTORY_FOLDER, IDC_HISTORY_FAILURE})
        m_placed.emplace_back(id, ClientRectOf(m_hWnd, id));
    const CWinApp* app = AfxGetApp();
    if (!app) return;
    const SIZE per100 = PixelsPer100DialogUnits(m_hWnd);
    const auto width = static_cast<int>(app->GetProfileInt(kSettingsSection, kWidthEntry, 0));
    const auto height = static_cast<int>(app->GetProfileInt(kSettingsSection, kHeightEntry, 0));
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    // Never smaller than it is made, nor larger than the screen.
    const int cx = std::clamp<int>(width * per100.cx / 100, m_designedWindow.cx, std::max<int>(m_designedWindow.cx, work.right - work.left));
    const int cy = std::clamp<int>(height * per100.cy / 100, m_designedWindow.cy, std::max<int>(m_designedWindow.cy, work.bottom - work.top));
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CHistoryDlg::OnDestroy(WPARAM, LPARAM)
{
    m_keeper.Watch(false);
    const CWinApp* app = AfxGetApp();
    if (!app || m_placed.empty()) return;
    CRect window;
    GetWindowRect(&window);
    const SIZE per100 = PixelsPer100DialogUnits(m_hWnd);
    app->WriteProfileInt(kSettingsSection, kWidthEntry, window.Width() * 100 / per100.cx);
    app->WriteProfileInt(kSettingsSection, kHeightEntry, window.Height() * 100 / per100.cy);
}

void CHistoryDlg::OnSize(UINT, int, int)
{
    if (m_placed.empty()) return;  // sized while the dialog is made
    Layout();
    FitColumns();
}

void CHistoryDlg::OnGetMinMaxInfo(MINMAXINFO* limits)
{
    if (m_placed.empty()) return;  // asked before the dialog is made
    limits->ptMinTrackSize = {m_designedWindow.cx, m_designedWindow.cy};
}

// The buttons, the keep setting, the folder and the note keep their distance from the bottom,
// Close, History folder and the offer of the runs kept earlier from the right; the list takes the rest, and the note's band too while there is no note.
void CHistoryDlg::Layout()
{
    if (m_placed.empty()) return;
    CRect client;
    GetClientRect(&client);
    const int dx = client.Width() - m_designed.cx;
    const int dy = client.Height() - m_designed.cy;
    const CWnd note = GetDlgItem(IDC_HISTORY_FAILURE);
    const auto designed = [&](int wanted) {
        for (const auto& [id, place] : m_placed)
            if (id == wanted) return place;
        return RECT{};
    };
    const int band = note.GetWindowText().IsEmpty() ? designed(IDC_HISTORY_FAILURE).bottom - designed(IDC_HISTORY_FOLDER).bottom : 0;
    const CWnd list = GetDlgItem(IDC_HISTORY_LIST);
    for (auto [id, place] : m_placed) {
        switch (id) {
        case IDC_HISTORY_LIST:
        case IDC_HISTORY_NONE:
            place.right += dx;
            place.bottom += dy + band;
            break;
        case IDC_HISTORY_FAILURE:
            ::OffsetRect(&place, 0, dy);
            place.right += dx;
            break;
        case IDC_HISTORY_FOLDER_SHOWN:
            ::OffsetRect(&place, 0, dy + band);
            place.right += dx;
            break;
        default:
            ::OffsetRect(&place, id == IDCANCEL || id == IDC_HISTORY_FOLDER || id == IDC_HISTORY_EARLIER || id == IDC_HISTORY_COPY_EARLIER ? dx : 0,
                         dy + band);
        }
        ::SetWindowPos(GetDlgItem(id), nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Whole rows: the list ends below its last row, not through it.
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    if (list.SendMessage(LVM_GETITEMCOUNT) > 0 && list.SendMessage(LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row)) &&
        row.bottom > row.top) {
        CRect outside, inside, header;
        list.GetWindowRect(&outside);
        list.GetClientRect(&inside);
        ::GetWindowRect(reinterpret_cast<HWND>(list.SendMessage(LVM_GETHEADER)), &header);
        const int rowHeight = row.bottom - row.top;
        const int frame = outside.Height() - inside.Height() + header.Height();
        const int rows = std::max(1, (outside.Height() - frame) / rowHeight);
        ::SetWindowPos(list, nullptr, 0, 0, outside.Width(), frame + rows * rowHeight,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Invalidate(TRUE);
}
