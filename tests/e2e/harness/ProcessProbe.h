#pragma once
// Questions only a process can answer about itself (its error mode, its CPU time: Wine gives
// another process's times as zero), asked inside it by a hook library loaded into the thread
// of one of its windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "tests/e2e/harness/ProbeQuestions.h"
#include "tests/e2e/harness/ThreadHook.h"

namespace e2e {

class ProcessProbe {
public:
    // Hooks the thread of `window` with the library (a Windows path) and waits until it is loaded there.
    ProcessProbe(HWND window, const std::string& library);
    ProcessProbe(const ProcessProbe&) = delete;
    ProcessProbe& operator=(const ProcessProbe&) = delete;

    ::testing::AssertionResult Ready() const { return m_ready; }
    std::optional<DWORD> Ask(ProbeQuestion question, DWORD timeoutMs = 15000) const;

private:
    HWND m_window;
    UINT m_message;
    ThreadHook m_hook;
    ::testing::AssertionResult m_ready = ::testing::AssertionFailure();
};

// The probe library as built, copied to C: beside the program under test; empty when it cannot be.
std::string InstalledProbeLibrary(const std::string& folder);

}  // namespace e2e
