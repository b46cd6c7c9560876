#pragma once
// The clipboard as the program under test leaves it. Another window may hold it open for a
// moment (the program while it copies, Wine's X11 bridge while it takes the selection), so
// opening it is retried briefly before a test is told it failed.

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "tests/e2e/harness/Wait.h"

namespace e2e {

// The CF_TEXT bytes on the clipboard, up to their NUL; nothing when there is no CF_TEXT
// or the clipboard could not be opened in time.
std::optional<std::string> ReadClipboardText(DWORD timeoutMs = kDefaultTimeoutMs);

// The whole block of `format` on the clipboard; nothing when there is none.
std::optional<std::string> ReadClipboardBlock(UINT format, DWORD timeoutMs = kDefaultTimeoutMs);

// Puts `text` on the clipboard as CF_TEXT (or as `format`, such as CF_UNICODETEXT with UTF-16
// bytes), replacing everything, so that a test can tell whether the program changed it.
::testing::AssertionResult WriteClipboardText(const std::string& text, DWORD timeoutMs = kDefaultTimeoutMs,
                                              UINT format = CF_TEXT);

// Waits until the clipboard changes after it had sequence number `before`
// (GetClipboardSequenceNumber taken before the action).
::testing::AssertionResult WaitForClipboardChange(DWORD before, DWORD timeoutMs = kDefaultTimeoutMs);

}  // namespace e2e
