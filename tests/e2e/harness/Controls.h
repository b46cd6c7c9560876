#pragma once
// Using another process's dialog controls as a user would: reading what they show, typing
// into them and clicking buttons, each step finished before the test looks at the result.

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <utility>

#include "tests/e2e/harness/Wait.h"

namespace e2e {

// The text of control `id` in the ANSI code page (WM_GETTEXT); a rich edit gives its
// paragraphs separated by CR LF. Nothing when the control is missing or does not answer.
std::optional<std::string> ControlText(HWND dialog, int id, DWORD timeoutMs = kDefaultTimeoutMs);

// The whole text of rich edit `id` however long, paragraph breaks as bare CRs. WM_GETTEXT of
// megabytes does not cross processes under Wine, so the text is read in pieces through a
// buffer in the control's own process (EM_GETTEXTRANGE, which Wine passes as it is).
std::optional<std::string> RichEditText(HWND dialog, int id, DWORD timeoutMs = kDefaultTimeoutMs);

// Rich edit `id`'s text (up to 65,535 characters) as Unicode, paragraph breaks as bare CRs:
// EM_GETTEXTEX through a buffer in the control's process, whatever either one's code page.
std::optional<std::wstring> RichEditCharacters(HWND dialog, int id, DWORD timeoutMs = kDefaultTimeoutMs);

// The selection of rich edit `id` (EM_EXGETSEL through a buffer in the control's process):
// first and last character; nothing when it cannot be read.
std::optional<std::pair<long, long>> RichEditSelection(HWND dialog, int id, DWORD timeoutMs = kDefaultTimeoutMs);

// Clicks button `id` (BM_CLICK, so the button tells its dialog as for a mouse click) and
// waits until the dialog's handler has returned. A handler may let Wine deliver messages
// sent from other threads while it runs, so only the answer to the click itself tells
// that it is done. For a handler that runs a modal dialog, use StartClick.
::testing::AssertionResult ClickButton(HWND dialog, int id, DWORD timeoutMs = kDefaultTimeoutMs);

// Clicks button `id` without waiting for its handler to return, then waits until the
// dialog's thread answers again: a handler that opens a modal dialog counts as handled
// once that dialog's loop runs.
::testing::AssertionResult StartClick(HWND dialog, int id, DWORD timeoutMs = kDefaultTimeoutMs);

// Types `text` (ANSI code page) into control `id` one character at a time (WM_CHAR), so the
// limits and filters of the control apply as they do to a user's typing.
::testing::AssertionResult TypeText(HWND dialog, int id, const std::string& text, DWORD timeoutMs = kDefaultTimeoutMs);

}  // namespace e2e
