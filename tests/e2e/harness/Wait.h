#pragma once
// Waiting for another program without sleeping a fixed time: check a condition, and between
// checks keep this thread's own windows (clipboard, captured pictures) answering messages.

#include <windows.h>

#include <functional>

namespace e2e {

// Long enough for a cold Wine start under load; a test that passes never waits this long.
constexpr DWORD kDefaultTimeoutMs = 15000;

// Checks ready() until it is true or timeoutMs has passed; true when it became true.
bool WaitUntil(const std::function<bool()>& ready, DWORD timeoutMs = kDefaultTimeoutMs);

// Handles whatever messages this thread has queued, then returns.
void PumpMessages();

}  // namespace e2e
