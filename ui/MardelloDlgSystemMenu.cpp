// The window menu: its entries that open the about box and Workshop Details, and its opening,
// which a window without a caption does itself. The entries' texts are read and shown in
// Unicode, as the resources hold them, so the Chinese one reads right under any code page.
#include "ui/AboutDlg.h"
#include "ui/MardelloDlg.h"
#include "ui/WorkshopDlg.h"

namespace {

void AppendEntry(HMENU menu, UINT command, UINT textId)
{
    wchar_t text[256] = L"";
    if (::LoadStringW(::GetModuleHandleW(nullptr), textId, text, sizeof text / sizeof text[0]) > 0)
        ::AppendMenuW(menu, MF_STRING, command, text);
}

}  // namespace

void CMardelloDlg::AddWindowMenuEntries()
{
    HMENU menu = GetSystemMenu(FALSE);
    if (!menu) return;
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendEntry(menu, IDM_ABOUTBOX, IDS_ABOUTBOX);
    AppendEntry(menu, IDM_WORKSHOP, IDS_WORKSHOP);
    AppendEntry(menu, IDM_HISTORY_ENTRY, IDS_HISTORY);
}

// At the pointer for a right-click on the top bar, at the window's top left corner for Alt+Space.
// The system would open it only for a window with a caption.
void CMardelloDlg::ShowWindowMenu(CPoint screenPoint)
{
    HMENU menu = GetSystemMenu(FALSE);
    if (!menu) return;
    const BOOL zoomed = ::IsZoomed(m_hWnd);
    ::EnableMenuItem(menu, SC_RESTORE, MF_BYCOMMAND | (zoomed ? MF_ENABLED : MF_GRAYED));
    ::EnableMenuItem(menu, SC_MAXIMIZE, MF_BYCOMMAND | (zoomed ? MF_GRAYED : MF_ENABLED));
    ::EnableMenuItem(menu, SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
    const UINT chosen = static_cast<UINT>(::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                                                           screenPoint.x, screenPoint.y, 0, m_hWnd, nullptr));
    // Posted, as the viewer's menu does, so that a dialog it opens runs from the loop.
    if (chosen) PostMessage(WM_SYSCOMMAND, chosen, MAKELPARAM(screenPoint.x, screenPoint.y));
}

void CMardelloDlg::ShowWindowMenuAtCorner()
{
    CRect window;
    GetWindowRect(&window);
    ShowWindowMenu(CPoint(window.left, window.top));
}

// A right-click on the top bar opens the window menu, as on a caption. Other windows keep their
// own menu (the VIN box has the system's; the viewer shows its own).
void CMardelloDlg::OnContextMenu(CWnd window, CPoint point)
{
    if (!m_skin.OnTopBar(window, point)) {
        Default();
        return;
    }
    ShowWindowMenu(point);
}

void CMardelloDlg::OnAbout()
{
    CAboutDlg about;
    about.DoModal();
}

void CMardelloDlg::OnSysCommand(UINT id, LPARAM lParam)
{
    (void)lParam;
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        OnAbout();
    } else if ((id & 0xFFF0) == IDM_WORKSHOP) {
        OnWorkshopDetails();
    } else if ((id & 0xFFF0) == IDM_HISTORY_ENTRY) {
        OnHistory();
    } else {
        Default();
    }
}

// Details the settings could not take would be gone at the next start: the status line says so
// until the next print or the device's next coming or going.
void CMardelloDlg::OnWorkshopDetails()
{
    CWorkshopDlg workshop(this);
    if (workshop.DoModal() != IDOK || workshop.Kept()) return;
    m_reportSource.Say("Workshop Details not saved");
    ShowSource();
}
