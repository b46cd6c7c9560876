// The main window's keys, whichever of its controls has the focus. The about box, the print
// dialog and the Find dialog keep their own keys: a key counts only in the main window.
// Enter and Esc never close it: the viewer may hold notes typed into a report, which one key
// would lose. EXIT, Alt+F4 and the window menu's Close do.
#include "framework/Shortcut.h"
#include "ui/MardelloDlg.h"

namespace {

// Ctrl+P carries the Print button's ID and is a click on it.
constexpr Shortcut kShortcuts[] = {
    {'P', kCtrl, IDC_BTN_PRINT},
    {VK_F2, kCtrl, IDM_PRINT_PREVIEW},
    {'S', kCtrl, IDM_SAVE_AS},
    {'H', kCtrl, IDM_HISTORY},
    {'J', kCtrl, IDM_JOB_DETAILS},
};

}  // namespace

// The viewer sees the keys first: Find's and its own.
BOOL CMardelloDlg::PreTranslateMessage(MSG* message)
{
    if (m_richReport.PreTranslateMessage(message)) return TRUE;
    if (message->message != WM_KEYDOWN && message->message != WM_SYSKEYDOWN) return FALSE;
    if (!message->hwnd || ::GetAncestor(message->hwnd, GA_ROOT) != m_hWnd) return FALSE;
    const unsigned modifiers = ModifiersDown();
    if (m_windowMenu.TakesKey(*message, modifiers)) return TRUE;
    return PostShortcut(kShortcuts, *message, modifiers, m_hWnd);
}

// The dialog manager's Enter and Esc, and the default button's command: nothing to do.
void CMardelloDlg::OnOK() {}
void CMardelloDlg::OnCancel() {}

// Alt+F4 and the window menu's Close; a dialog would turn it into Esc's IDCANCEL.
void CMardelloDlg::OnClose() { OnExit(); }
