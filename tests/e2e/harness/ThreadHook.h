#pragma once
// A hook library loaded into the thread of another process's window, so that code of ours runs
// inside that process: to time work without Wine's copying between processes, or to ask what
// only the process knows about itself. The library is loaded there at the first message that
// passes the hook; it stays until the hook is removed.
#include <windows.h>

#include <string>

namespace e2e {

class ThreadHook {
public:
    // Hooks the thread of `window` with the exported WH_CALLWNDPROC procedure `hookName` of
    // `library` (a Windows path).
    ThreadHook(HWND window, const std::string& library, const char* hookName);
    ThreadHook(const ThreadHook&) = delete;
    ThreadHook& operator=(const ThreadHook&) = delete;
    ~ThreadHook();

    // Empty once the hook is set; otherwise why it is not.
    const std::string& Failure() const { return m_failure; }

private:
    HMODULE m_library = nullptr;
    HHOOK m_hook = nullptr;
    std::string m_failure;
};

}  // namespace e2e
