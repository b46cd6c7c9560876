#pragma once
// One WM_SETTEXT into a window of another process, run inside that process by a hook library,
// so that it is timed as the program itself would pay for it, without Wine's copying between
// processes (which fails outright for the largest reports).
#include <windows.h>

#include <string>

#include "tests/e2e/harness/ThreadHook.h"

namespace bench {

class InProcessSetText {
public:
    // Hooks the thread of `window`, loads the library there and puts `text` where it finds it.
    InProcessSetText(HWND window, const std::string& text, const std::string& hookLibrary);
    InProcessSetText(const InProcessSetText&) = delete;
    InProcessSetText& operator=(const InProcessSetText&) = delete;
    ~InProcessSetText();

    // Sets the text; returns once the window has handled it.
    void Run(DWORD timeoutMs) const;

private:
    HWND m_window;
    UINT m_message;
    HANDLE m_mapping = nullptr;
    e2e::ThreadHook m_hook;
};

}  // namespace bench
