#pragma once
// The main window's Find part: the system's Find dialog over the report viewer, the text sought
// and the flags chosen, and F3 / Shift+F3 to repeat the last search without the dialog.
#include "framework/Controls.h"
#include "framework/FindReplaceDialog.h"

class CViewerFind : public CCmdTarget {
public:
    // `viewer` is the window's own member: the window may swap the control it names for a new one.
    CViewerFind(const CRichEditCtrl& viewer, CWnd& owner) : m_viewer(viewer), m_owner(owner) {}

    // The Find dialog while it is open, so that the owner's loop can give it its keys.
    HWND DialogWindow() const { return m_dlgFind.m_hWnd; }

    DECLARE_MESSAGE_MAP()

private:
    void OnFind();
    void OnFindNext();
    void OnFindPrevious();
    LRESULT OnFindReplace(WPARAM wParam, LPARAM lParam);
    void FindAndShow(DWORD flags);
    BOOL FindInViewer(const CString& sought, DWORD flags) const;

    const CRichEditCtrl& m_viewer;
    CWnd& m_owner;
    CFindReplaceDialog m_dlgFind;
    CString m_strSought;
    DWORD m_dwFindFlags = FR_DOWN;
};
