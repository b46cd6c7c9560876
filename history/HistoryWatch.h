#pragma once
// While the history window is open, other PCs keep and delete runs in a shared history: this
// watches the history's folder on a thread of its own and posts a message to the window when
// it changed, so that it is read again. A folder that gives no change notifications (some
// shares do not) is read again every 10 s instead. It touches no file of the history.
#include <windows.h>

#include "framework/CString.h"

class HistoryWatch {
public:
    HistoryWatch() = default;
    ~HistoryWatch() { Stop(); }
    HistoryWatch(const HistoryWatch&) = delete;
    HistoryWatch& operator=(const HistoryWatch&) = delete;

    // Watches `folder`, after stopping any earlier watch; `message` goes to `window` at a change.
    void Start(const CString& folder, HWND window, UINT message);
    // A share that hangs may hold the thread in a call for long: it is not waited for, and frees
    // what it holds itself when it ends.
    void Stop();

private:
    HANDLE m_thread = nullptr;
    HANDLE m_stop = nullptr;  // set to end the watch; shared with the thread, which closes it too
};
