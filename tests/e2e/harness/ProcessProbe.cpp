#include "tests/e2e/harness/ProcessProbe.h"

#include "tests/e2e/harness/WinePaths.h"

namespace e2e {

ProcessProbe::ProcessProbe(HWND window, const std::string& library)
    : m_window(window), m_message(RegisterWindowMessageA(kProbeMessageName)), m_library(LoadLibraryA(library.c_str()))
{
    // Through void*: a FARPROC is declared without parameters, and GCC warns about the direct cast.
    const auto hook =
        m_library ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(m_library, kProbeHookName))) : nullptr;
    if (hook) m_hook = SetWindowsHookExA(WH_CALLWNDPROC, hook, m_library, GetWindowThreadProcessId(window, nullptr));
    if (!m_library)
        m_ready = ::testing::AssertionFailure() << "cannot load " << library;
    else if (!m_hook)
        m_ready = ::testing::AssertionFailure() << "cannot hook the program's thread (error " << GetLastError() << ")";
    // The library answers only once it is loaded there, at the first message that passes the hook.
    else if (Ask(ProbeQuestion::Load, 60000) != 1u)
        m_ready = ::testing::AssertionFailure() << "the hook library does not answer inside the program";
    else
        m_ready = ::testing::AssertionSuccess();
}

ProcessProbe::~ProcessProbe()
{
    if (m_hook) UnhookWindowsHookEx(m_hook);
    if (m_library) FreeLibrary(m_library);
}

std::optional<DWORD> ProcessProbe::Ask(ProbeQuestion question, DWORD timeoutMs) const
{
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(m_window, m_message, static_cast<WPARAM>(question), 0, SMTO_NORMAL, timeoutMs, &answer))
        return std::nullopt;
    return static_cast<DWORD>(answer);
}

std::string InstalledProbeLibrary(const std::string& folder)
{
    const std::string built = DosPath(MARDELLO_PROBE_LIBRARY);
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string copy = folder + "\\process_probe.dll";
    return !built.empty() && CopyFileA(built.c_str(), copy.c_str(), FALSE) ? copy : std::string();
}

}  // namespace e2e
