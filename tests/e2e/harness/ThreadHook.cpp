#include "tests/e2e/harness/ThreadHook.h"

namespace e2e {

ThreadHook::ThreadHook(HWND window, const std::string& library, const char* hookName)
    : m_library(LoadLibraryA(library.c_str()))
{
    // Through void*: a FARPROC is declared without parameters, and GCC warns about the direct cast.
    const auto hook =
        m_library ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(m_library, hookName))) : nullptr;
    if (hook) m_hook = SetWindowsHookExA(WH_CALLWNDPROC, hook, m_library, GetWindowThreadProcessId(window, nullptr));
    if (!m_library)
        m_failure = "cannot load " + library;
    else if (!hook)
        m_failure = library + " has no " + hookName;
    else if (!m_hook)
        m_failure = "cannot hook the program's thread (error " + std::to_string(GetLastError()) + ")";
}

ThreadHook::~ThreadHook()
{
    if (m_hook) UnhookWindowsHookEx(m_hook);
    if (m_library) FreeLibrary(m_library);
}

}  // namespace e2e
