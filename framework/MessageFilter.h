#pragma once
// The system's modal dialog loop takes each message straight to the dialog manager. While a
// dialog of ours runs that loop, a message-filter hook hands every message of the loop to the
// dialog's PreTranslateMessage first, so a dialog can have keys of its own whatever control
// has the focus, and can lead the messages of a modeless dialog to that dialog.
#include "framework/Wnd.h"

class CModalMessageFilter {
public:
    explicit CModalMessageFilter(CWnd& dialog);
    ~CModalMessageFilter();
    CModalMessageFilter(const CModalMessageFilter&) = delete;
    CModalMessageFilter& operator=(const CModalMessageFilter&) = delete;

private:
    static LRESULT CALLBACK FilterProc(int code, WPARAM wParam, LPARAM lParam);

    CWnd& m_dialog;
    HHOOK m_hook;
    CModalMessageFilter* m_outer;
};
