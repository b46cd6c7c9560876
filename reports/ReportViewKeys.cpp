// The viewer's keys: Find's anywhere in the main window, the editing keys in the viewer, and the
// keys of the Find dialog, which runs in the main window's loop.
#include "framework/Shortcut.h"
#include "reports/ReportView.h"
#include "res/resource.h"

namespace {

constexpr Shortcut kFindKeys[] = {
    {'F', kCtrl, IDM_FIND},
    {VK_F3, kNoModifier, IDM_FIND_NEXT},
    {VK_F3, kShift, IDM_FIND_PREVIOUS},
};

// The viewer's own undo and paste are not enough: see OnUndo and OnPaste.
constexpr Shortcut kViewerKeys[] = {
    {'A', kCtrl, IDM_VIEWER_SELECT_ALL},
    {'Z', kCtrl, IDM_VIEWER_UNDO},
    {'V', kCtrl, IDM_VIEWER_PASTE},
    {VK_INSERT, kShift, IDM_VIEWER_PASTE},
};

}  // namespace

BOOL CReportView::PreTranslateMessage(MSG* message)
{
    // The modeless Find dialog runs in the main window's loop, which would not give it its keys.
    HWND find = m_find.DialogWindow();
    if (find && (message->hwnd == find || ::IsChild(find, message->hwnd))) return ::IsDialogMessageA(find, message);

    if (message->message != WM_KEYDOWN && message->message != WM_SYSKEYDOWN) return FALSE;
    if (!message->hwnd || ::GetAncestor(message->hwnd, GA_ROOT) != m_owner.m_hWnd) return FALSE;
    const bool inViewer = message->hwnd == m_hWnd;
    // A multi-line edit in a dialog closes the dialog on Esc (it posts WM_CLOSE); in the viewer
    // Esc does nothing, as in any text box.
    if (message->wParam == VK_ESCAPE && inViewer) return TRUE;
    const unsigned modifiers = ModifiersDown();
    if (PostShortcut(kFindKeys, *message, modifiers, m_owner.m_hWnd)) return TRUE;
    return inViewer && PostShortcut(kViewerKeys, *message, modifiers, m_owner.m_hWnd);
}
