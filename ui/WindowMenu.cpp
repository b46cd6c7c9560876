// The entries' texts are read and shown in Unicode, as the resources hold them, so the Chinese
// one reads right under any code page.
#include "ui/WindowMenu.h"

#include "framework/Shortcut.h"
#include "res/resource.h"
#include "ui/AboutDlg.h"
#include "ui/MainSkin.h"
#include "ui/WorkshopDlg.h"

namespace {

void AppendEntry(HMENU menu, UINT command, UINT textId)
{
    wchar_t text[256] = L"";
    if (::LoadStringW(::GetModuleHandleW(nullptr), textId, text, sizeof text / sizeof text[0]) > 0)
        ::AppendMenuW(menu, MF_STRING, command, text);
}

}  // namespace

BEGIN_MESSAGE_MAP(CWindowMenu, CCmdTarget)
    ON_COMMAND(IDM_VIEWER_WORKSHOP, &CWindowMenu::OnWorkshopDetails)
    ON_COMMAND(IDM_VIEWER_ABOUT, &CWindowMenu::OnAbout)
    ON_COMMAND(IDM_WINDOW_MENU, &CWindowMenu::ShowAtCorner)
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

void CWindowMenu::AddEntries()
{
    HMENU menu = m_window.GetSystemMenu(FALSE);
    if (!menu) return;
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendEntry(menu, IDM_ABOUTBOX, IDS_ABOUTBOX);
    AppendEntry(menu, IDM_WORKSHOP, IDS_WORKSHOP);
    AppendEntry(menu, IDM_HISTORY_ENTRY, IDS_HISTORY);
}

// Alt+Space: the window menu, which the system opens only for a window with a caption.
bool CWindowMenu::TakesKey(const MSG& message, unsigned modifiers) const
{
    if (message.message != WM_SYSKEYDOWN || message.wParam != VK_SPACE || modifiers != kAlt) return false;
    m_window.PostMessage(WM_COMMAND, MAKEWPARAM(IDM_WINDOW_MENU, 0));
    return true;
}

bool CWindowMenu::Chosen(UINT id)
{
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        OnAbout();
    } else if ((id & 0xFFF0) == IDM_WORKSHOP) {
        OnWorkshopDetails();
    } else if ((id & 0xFFF0) == IDM_HISTORY_ENTRY) {
        m_listener.OnHistory();
    } else {
        return false;
    }
    return true;
}

// At the pointer for a right-click on the top bar, at the window's top left corner for Alt+Space.
// The system would open it only for a window with a caption.
void CWindowMenu::Show(CPoint screenPoint)
{
    HMENU menu = m_window.GetSystemMenu(FALSE);
    if (!menu) return;
    const BOOL zoomed = ::IsZoomed(m_window.m_hWnd);
    ::EnableMenuItem(menu, SC_RESTORE, MF_BYCOMMAND | (zoomed ? MF_ENABLED : MF_GRAYED));
    ::EnableMenuItem(menu, SC_MAXIMIZE, MF_BYCOMMAND | (zoomed ? MF_GRAYED : MF_ENABLED));
    ::EnableMenuItem(menu, SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
    const UINT chosen = static_cast<UINT>(::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                                                           screenPoint.x, screenPoint.y, 0, m_window.m_hWnd, nullptr));
    // Posted, as the viewer's menu does, so that a dialog it opens runs from the loop.
    if (chosen) m_window.PostMessage(WM_SYSCOMMAND, chosen, MAKELPARAM(screenPoint.x, screenPoint.y));
}

void CWindowMenu::ShowAtCorner()
{
    CRect window;
    m_window.GetWindowRect(&window);
    Show(CPoint(window.left, window.top));
}

// A right-click on the top bar opens the window menu, as on a caption. Other windows keep their
// own menu (the VIN box has the system's; the viewer shows its own).
void CWindowMenu::OnContextMenu(CWnd window, CPoint point)
{
    if (!m_skin.OnTopBar(window, point)) {
        ::DefWindowProcA(m_window.m_hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window.m_hWnd), MAKELPARAM(point.x, point.y));
        return;
    }
    Show(point);
}

void CWindowMenu::OnAbout()
{
    CAboutDlg about;
    about.DoModal();
}

// Details the settings could not take would be gone at the next start: the status line says so
// until the next print or the device's next coming or going.
void CWindowMenu::OnWorkshopDetails()
{
    CWnd owner(m_window.m_hWnd);
    CWorkshopDlg workshop(&owner);
    if (workshop.DoModal() != IDOK || workshop.Kept()) return;
    m_listener.Say("Workshop Details not saved");
}
