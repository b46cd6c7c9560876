#include "tests/e2e/harness/ProcessProbe.h"

#include "tests/e2e/harness/WinePaths.h"

namespace e2e {

ProcessProbe::ProcessProbe(HWND window, const std::string& library)
    : m_window(window), m_message(RegisterWindowMessageA(kProbeMessageName)), m_hook(window, library, kProbeHookName)
{
    if (!m_hook.Failure().empty())
        m_ready = ::testing::AssertionFailure() << m_hook.Failure();
    // The library answers only once it is loaded there, at the first message that passes the hook.
    else if (Ask(ProbeQuestion::Load, 60000) != 1u)
        m_ready = ::testing::AssertionFailure() << "the hook library does not answer inside the program";
    else
        m_ready = ::testing::AssertionSuccess();
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
