#include "framework/MessageFilter.h"

namespace {
// The innermost modal loop's filter on this thread; the ones of outer loops are chained behind it.
thread_local CModalMessageFilter* t_innermost = nullptr;
// IsDialogMessage, which a dialog may call from PreTranslateMessage, passes the message through
// the filter again; that second pass goes straight on.
thread_local bool t_filtering = false;
}  // namespace

CModalMessageFilter::CModalMessageFilter(CWnd& dialog)
    : m_dialog(dialog),
      m_hook(::SetWindowsHookExA(WH_MSGFILTER, &CModalMessageFilter::FilterProc, nullptr, ::GetCurrentThreadId())),
      m_outer(t_innermost)
{
    t_innermost = this;
}

CModalMessageFilter::~CModalMessageFilter()
{
    t_innermost = m_outer;
    if (m_hook) ::UnhookWindowsHookEx(m_hook);
}

// Every dialog in a modal loop, innermost first, may take the message: the system's own
// dialogs (print, about, message boxes) run such loops too, and their messages still pass here,
// so each dialog decides by the message's window what is its own.
LRESULT CALLBACK CModalMessageFilter::FilterProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MSGF_DIALOGBOX && !t_filtering) {
        t_filtering = true;
        BOOL handled = FALSE;
        try {
            for (CModalMessageFilter* filter = t_innermost; filter && !handled; filter = filter->m_outer)
                if (filter->m_dialog.m_hWnd) handled = filter->m_dialog.PreTranslateMessage(reinterpret_cast<MSG*>(lParam));
        } catch (...) {
            // No exception may cross back into the system's message loop.
            handled = FALSE;
        }
        t_filtering = false;
        if (handled) return TRUE;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
