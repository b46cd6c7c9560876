#pragma once
// Non-owning wrappers around windows: a CWnd names a window that something else created
// (the dialog manager creates the dialog's controls), so it never destroys anything.
#include <windows.h>

#include "framework/CString.h"
#include "framework/MessageMap.h"

struct CPoint : POINT {
    CPoint() : POINT{0, 0} {}
    CPoint(LONG px, LONG py) : POINT{px, py} {}
};

struct CRect : RECT {
    CRect() : RECT{0, 0, 0, 0} {}
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    explicit CWnd(HWND window) : m_hWnd(window) {}

    operator HWND() const { return m_hWnd; }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }
    CWnd GetDlgItem(int id) const { return CWnd(::GetDlgItem(m_hWnd, id)); }
    CString GetWindowText() const;
    void SetWindowText(const char* text) const { ::SetWindowTextA(m_hWnd, text); }
    void GetClientRect(CRect* rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(CRect* rect) const { ::GetWindowRect(m_hWnd, rect); }
    void ClientToScreen(POINT* point) const { ::ClientToScreen(m_hWnd, point); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    // Stops or resumes painting; resuming does not repaint by itself.
    void SetRedraw(BOOL redraw) const { SendMessage(WM_SETREDRAW, redraw); }
    void Invalidate(BOOL erase = TRUE) const { ::InvalidateRect(m_hWnd, nullptr, erase); }
    BOOL RedrawWindow(const RECT* rect = nullptr, HRGN region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) const
    {
        return ::RedrawWindow(m_hWnd, rect, region, flags);
    }
    BOOL DestroyWindow() const { return ::DestroyWindow(m_hWnd); }
    HICON SetIcon(HICON icon, BOOL big) const
    {
        return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    }
    HMENU GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }

    // Sees a message of the window's modal loop before the dialog manager does; TRUE when it
    // was handled here and must go no further.
    virtual BOOL PreTranslateMessage(MSG* message)
    {
        (void)message;
        return FALSE;
    }

    // Handed the message being handled, so a handler can ask for the default processing of it.
    struct CurrentMessage {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };

protected:
    // The system's own processing of the message being handled. Dialogs leave the messages
    // this program handles (mouse, sizing, hit testing, painting, system commands) to
    // DefWindowProc, so calling it here is what returning "not handled" would do.
    LRESULT Default() const { return ::DefWindowProcA(m_hWnd, m_current.message, m_current.wParam, m_current.lParam); }

public:
    HWND m_hWnd = nullptr;

protected:
    CurrentMessage m_current;
};
