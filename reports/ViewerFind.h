#pragma once
// The viewer's Find: the system's Find dialog over it, the text sought
// and the flags chosen, and F3 / Shift+F3 to repeat the last search without the dialog.
#include <string>

#include "framework/Controls.h"
#include "framework/FindReplaceDialog.h"

class CViewerFind : public CCmdTarget {
public:
    // `viewer` may swap the control it names for a new one; `owner` is the Find dialog's.
    CViewerFind(const CRichEditCtrl& viewer, CWnd& owner) : m_viewer(viewer), m_owner(owner) {}

    // The Find dialog while it is open, so that the owner's loop can give it its keys.
    HWND DialogWindow() const { return m_dialog.m_hWnd; }

    DECLARE_MESSAGE_MAP()

private:
    void OnFind();
    void OnFindNext();
    void OnFindPrevious();
    LRESULT OnFindReplace(WPARAM wParam, LPARAM lParam);
    void OnViewerChange();
    void FindAndShow(DWORD flags);
    BOOL FindInViewer(const std::wstring& sought, DWORD flags);
    const std::wstring& ViewerText();

    const CRichEditCtrl& m_viewer;
    CWnd& m_owner;
    CFindReplaceDialog m_dialog;
    std::wstring m_sought;
    DWORD m_flags = FR_DOWN;
    // The viewer's text as the last search read it, kept until the viewer changes: reading it
    // out costs far more than searching it.
    std::wstring m_viewerText;
    HWND m_textOf = nullptr;  // the control it was read from; none: not read
};
