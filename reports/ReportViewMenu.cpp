// The report viewer's context menu: editing, Find and printing, each item enabled only when it
// can act. The rich edit control has no menu of its own.
#include <cwchar>
#include <string>

#include "reports/ReportView.h"
#include "res/resource.h"

namespace {

// What an item needs before it can act.
enum class Needs { Undo, Selection, ClipboardText, ViewerText, Nothing };

struct ViewerMenuItem {
    UINT id;  // 0: a separator
    const char* text;
    Needs needs;
    // The editing items are the viewer's own commands, sent to it.
    UINT viewerMessage;
    WPARAM wParam;
    LPARAM lParam;
};

// "Print..." carries the Print button's ID: choosing it is a click on that button.
constexpr ViewerMenuItem kViewerMenu[] = {
    {IDM_VIEWER_UNDO, "&Undo\tCtrl+Z", Needs::Undo, EM_UNDO, 0, 0},
    {0, nullptr, Needs::Nothing, 0, 0, 0},
    {IDM_VIEWER_CUT, "Cu&t\tCtrl+X", Needs::Selection, WM_CUT, 0, 0},
    {IDM_VIEWER_COPY, "&Copy\tCtrl+C", Needs::Selection, WM_COPY, 0, 0},
    {IDM_VIEWER_PASTE, "&Paste\tCtrl+V", Needs::ClipboardText, WM_PASTE, 0, 0},
    {IDM_VIEWER_DELETE, "&Delete\tDel", Needs::Selection, WM_CLEAR, 0, 0},
    {0, nullptr, Needs::Nothing, 0, 0, 0},
    {IDM_VIEWER_SELECT_ALL, "Select &All\tCtrl+A", Needs::ViewerText, EM_SETSEL, 0, -1},
    {0, nullptr, Needs::Nothing, 0, 0, 0},
    {IDM_FIND, "&Find...\tCtrl+F", Needs::ViewerText, 0, 0, 0},
    {0, nullptr, Needs::Nothing, 0, 0, 0},
    {IDM_SAVE_AS, "Save &As...\tCtrl+S", Needs::Nothing, 0, 0, 0},
    {IDM_PRINT_PREVIEW, "Print Pre&view...\tCtrl+F2", Needs::Nothing, 0, 0, 0},
    {IDC_BTN_PRINT, "P&rint...\tCtrl+P", Needs::Nothing, 0, 0, 0},
    {0, nullptr, Needs::Nothing, 0, 0, 0},
    {IDM_JOB_DETAILS, "&Job Details...\tCtrl+J", Needs::Nothing, 0, 0, 0},
    {IDM_VIEWER_WORKSHOP, "&Workshop Details...", Needs::Nothing, 0, 0, 0},
    {IDM_HISTORY, "&History...\tCtrl+H", Needs::Nothing, 0, 0, 0},
    {0, nullptr, Needs::Nothing, 0, 0, 0},
    {IDM_ENCODING_AUTOMATIC, nullptr, Needs::Nothing, 0, 0, 0},  // the Encoding submenu
    {0, nullptr, Needs::Nothing, 0, 0, 0},
    {IDM_VIEWER_ABOUT, "A&bout Mardello...", Needs::Nothing, 0, 0, 0},
};

struct ViewerState {
    bool canUndo;
    bool selection;
    bool clipboardText;
    bool viewerText;
};

bool CanAct(Needs needs, const ViewerState& state)
{
    switch (needs) {
    case Needs::Undo: return state.canUndo;
    case Needs::Selection: return state.selection;
    case Needs::ClipboardText: return state.clipboardText;
    case Needs::ViewerText: return state.viewerText;
    case Needs::Nothing: return true;
    }
    return false;
}

class CPopupMenu {
public:
    CPopupMenu() : m_hMenu(::CreatePopupMenu()) {}
    ~CPopupMenu()
    {
        if (m_hMenu) ::DestroyMenu(m_hMenu);
    }
    CPopupMenu(const CPopupMenu&) = delete;
    CPopupMenu& operator=(const CPopupMenu&) = delete;
    HMENU m_hMenu;
};

}  // namespace

// A right-click in the viewer, or Shift+F10 or the menu key there, which the system reports
// without a point.
void CReportView::OnContextMenu(CPoint point)
{
    if (point.x == -1 && point.y == -1) {
        OnMenuKey();
        return;
    }
    ShowMenu(point);
}

// From the keyboard the menu opens at the caret, or at the viewer's edge when the caret is
// scrolled out of sight.
void CReportView::OnMenuKey()
{
    CRect client;
    GetClientRect(&client);
    CPoint caret;
    if (::GetFocus() != m_hWnd || !::GetCaretPos(&caret)) caret = CPoint(client.left, client.top);
    caret.x = caret.x < client.left ? client.left : caret.x > client.right ? client.right : caret.x;
    caret.y = caret.y < client.top ? client.top : caret.y > client.bottom ? client.bottom : caret.y;
    ClientToScreen(&caret);
    ShowMenu(caret);
}

void CReportView::ShowMenu(CPoint screenPoint)
{
    CHARRANGE selection{};
    GetSel(selection);
    const ViewerState state{CanUndo() || !m_notes.empty(), selection.cpMax > selection.cpMin,
                            ::IsClipboardFormatAvailable(CF_TEXT) != FALSE, GetTextLength() > 0};
    CPopupMenu menu;
    if (!menu.m_hMenu) return;
    for (const ViewerMenuItem& item : kViewerMenu) {
        if (!item.id) {
            ::AppendMenuA(menu.m_hMenu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        if (!item.text) {
            m_encoding.AddMenu(menu.m_hMenu);
            continue;
        }
        ::AppendMenuA(menu.m_hMenu, MF_STRING | (CanAct(item.needs, state) ? MF_ENABLED : MF_GRAYED), item.id, item.text);
    }
    const UINT chosen = static_cast<UINT>(::TrackPopupMenu(menu.m_hMenu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                                                           screenPoint.x, screenPoint.y, 0, m_owner.m_hWnd, nullptr));
    // Posted, so that the command runs from the loop once the menu and this right-click are done
    // with: a view command replaces the viewer, whose own handling of the click is still running.
    if (chosen) m_owner.PostMessage(WM_COMMAND, MAKEWPARAM(chosen, 0));
}

void CReportView::OnEdit(UINT id)
{
    if (id == IDM_VIEWER_UNDO) return OnUndo();
    if (id == IDM_VIEWER_PASTE) return OnPaste();
    for (const ViewerMenuItem& item : kViewerMenu)
        if (item.id == id && item.viewerMessage) SendMessage(item.viewerMessage, item.wParam, item.lParam);
}

// Wine's rich edit in plain text mode pastes over its whole text instead of at the caret, so the
// clipboard's text goes in as typed text would.
void CReportView::OnPaste()
{
    if (!::OpenClipboard(m_owner.m_hWnd)) return;
    std::wstring text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* characters = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text.assign(characters, wcsnlen(characters, ::GlobalSize(data) / sizeof(wchar_t)));
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    if (!text.empty()) ReplaceSelUndoable(text.c_str());
}
