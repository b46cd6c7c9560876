#pragma once
// Waiting for another program without sleeping a fixed time: check a condition, and between
// checks keep this thread's own windows (clipboard, captured pictures) answering messages.

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

namespace e2e {

// Long enough for a cold Wine start under load; a test that passes never waits this long.
constexpr DWORD kDefaultTimeoutMs = 15000;

// Checks ready() until it is true or timeoutMs has passed; true when it became true.
bool WaitUntil(const std::function<bool()>& ready, DWORD timeoutMs = kDefaultTimeoutMs);

// Handles whatever messages this thread has queued, then returns.
void PumpMessages();

// Returns once the thread of `window` (in any process) has handled every message sent to it
// before this call: the handlers of a click or of typing have run, or wait in a loop that
// answers messages (a modal dialog's, for one).
::testing::AssertionResult WaitUntilIdle(HWND window, DWORD timeoutMs = kDefaultTimeoutMs);

}  // namespace e2e
