#pragma once
// The main window's window menu: its entries that open the about box, Workshop Details and the
// history, and its opening from the top bar and from the keyboard, which a window without a
// caption does itself. The window chains its message map to this one.
#include "framework/MessageMap.h"
#include "framework/Wnd.h"

class CMainSkin;

// What the window menu asks of the window that owns it.
class WindowMenuListener {
public:
    virtual void OnHistory() = 0;
    // Something to say in the status line now, before the window goes on.
    virtual void Say(const CString& note) = 0;

protected:
    ~WindowMenuListener() = default;
};

class CWindowMenu : public CCmdTarget {
public:
    // `window` is the main window, whose handle is set once it is made; `skin` tells its top bar.
    CWindowMenu(const CWnd& window, const CMainSkin& skin, WindowMenuListener& listener)
        : m_window(window), m_skin(skin), m_listener(listener)
    {
    }

    // After the window's first paint, which does not wait for them.
    void AddEntries();
    // Alt+Space, seen among the window's keys with `modifiers` down; true when it was taken.
    bool TakesKey(const MSG& message, unsigned modifiers) const;
    // A window menu command; false when it is none of this menu's entries.
    bool Chosen(UINT id);

    DECLARE_MESSAGE_MAP()

private:
    void Show(CPoint screenPoint);
    void ShowAtCorner();
    void OnContextMenu(CWnd window, CPoint point);
    void OnAbout();
    void OnWorkshopDetails();

    const CWnd& m_window;
    const CMainSkin& m_skin;
    WindowMenuListener& m_listener;
};
