// The main window's keys, whichever of its controls has the focus. The about box, the print
// dialog and the Find dialog keep their own keys: a key counts only in the main window.
// Enter and Esc never close it: the viewer may hold notes typed into a report, which one key
// would lose. EXIT, Alt+F4 and the window menu's Close do.
#include "ui/MardelloDlg.h"

namespace {

constexpr unsigned kNoModifier = 0, kCtrl = 1, kShift = 2, kAlt = 4;

enum class Where { MainWindow, Viewer };

struct Shortcut {
    UINT key;
    unsigned modifiers;
    Where where;
    UINT command;
};

// Ctrl+P carries the Print button's ID and is a click on it.
constexpr Shortcut kShortcuts[] = {
    {'P', kCtrl, Where::MainWindow, IDC_BTN_PRINT},
    {'F', kCtrl, Where::MainWindow, IDM_FIND},
    {VK_F3, kNoModifier, Where::MainWindow, IDM_FIND_NEXT},
    {VK_F3, kShift, Where::MainWindow, IDM_FIND_PREVIOUS},
    {VK_F2, kCtrl, Where::MainWindow, IDM_PRINT_PREVIEW},
    {'S', kCtrl, Where::MainWindow, IDM_SAVE_AS},
    {'H', kCtrl, Where::MainWindow, IDM_HISTORY},
    {'J', kCtrl, Where::MainWindow, IDM_JOB_DETAILS},
    {'A', kCtrl, Where::Viewer, IDM_VIEWER_SELECT_ALL},
    // The viewer's own undo and paste are not enough: see OnViewerUndo and OnViewerPaste.
    {'Z', kCtrl, Where::Viewer, IDM_VIEWER_UNDO},
    {'V', kCtrl, Where::Viewer, IDM_VIEWER_PASTE},
    {VK_INSERT, kShift, Where::Viewer, IDM_VIEWER_PASTE},
};

unsigned ModifiersDown()
{
    const auto down = [](int key) { return (::GetKeyState(key) & 0x8000) != 0; };
    return (down(VK_CONTROL) ? kCtrl : 0) | (down(VK_SHIFT) ? kShift : 0) | (down(VK_MENU) ? kAlt : 0);
}

}  // namespace

BOOL CMardelloDlg::PreTranslateMessage(MSG* message)
{
    // The modeless Find dialog runs in this dialog's loop, which would not give it its keys.
    HWND find = m_viewerFind.DialogWindow();
    if (find && (message->hwnd == find || ::IsChild(find, message->hwnd))) return ::IsDialogMessageA(find, message);

    if (message->message != WM_KEYDOWN && message->message != WM_SYSKEYDOWN) return FALSE;
    if (!message->hwnd || ::GetAncestor(message->hwnd, GA_ROOT) != m_hWnd) return FALSE;
    // A multi-line edit in a dialog closes the dialog on Esc (it posts WM_CLOSE); in the viewer
    // Esc does nothing, as in any text box.
    if (message->wParam == VK_ESCAPE && message->hwnd == m_richReport.m_hWnd) return TRUE;
    const unsigned modifiers = ModifiersDown();
    // Alt+Space: the window menu, which the system opens only for a window with a caption.
    if (message->message == WM_SYSKEYDOWN && message->wParam == VK_SPACE && modifiers == kAlt) {
        PostMessage(WM_COMMAND, MAKEWPARAM(IDM_WINDOW_MENU, 0));
        return TRUE;
    }
    for (const Shortcut& shortcut : kShortcuts) {
        if (shortcut.key != message->wParam || shortcut.modifiers != modifiers) continue;
        if (shortcut.where == Where::Viewer && message->hwnd != m_richReport.m_hWnd) continue;
        // Posted, so that a command that opens a dialog runs it from the loop, not from inside the filter.
        PostMessage(WM_COMMAND, MAKEWPARAM(shortcut.command, 0),
                    reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, static_cast<int>(shortcut.command))));
        return TRUE;
    }
    return FALSE;
}

// The dialog manager's Enter and Esc, and the default button's command: nothing to do.
void CMardelloDlg::OnOK() {}
void CMardelloDlg::OnCancel() {}

// Alt+F4 and the window menu's Close; a dialog would turn it into Esc's IDCANCEL.
void CMardelloDlg::OnClose() { OnExit(); }
