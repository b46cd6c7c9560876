#include "tests/e2e/harness/Controls.h"

#include <vector>

namespace e2e {

namespace {

::testing::AssertionResult NoControl(HWND dialog, int id)
{
    return ::testing::AssertionFailure() << "dialog " << dialog << " has no control " << id;
}

}  // namespace

std::optional<std::string> ControlText(HWND dialog, int id, DWORD timeoutMs)
{
    HWND control = GetDlgItem(dialog, id);
    if (!control)
        return std::nullopt;
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, timeoutMs, &length))
        return std::nullopt;
    // WM_GETTEXTLENGTH may count more than WM_GETTEXT gives (it may not know the code page),
    // never less; the copy's own answer says how much is text.
    std::vector<char> text(length + 1);
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                             timeoutMs, &copied))
        return std::nullopt;
    return std::string(text.data(), copied < text.size() ? copied : text.size() - 1);
}

::testing::AssertionResult WaitUntilIdle(HWND window, DWORD timeoutMs)
{
    // Messages sent from another thread are handled in the order they were sent, so when this
    // one comes back the earlier ones are done.
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &ignored))
        return ::testing::AssertionFailure() << "window " << window << " did not answer within " << timeoutMs
                                             << " ms (error " << GetLastError() << ")";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult ClickButton(HWND dialog, int id, DWORD timeoutMs)
{
    HWND button = GetDlgItem(dialog, id);
    if (!button)
        return NoControl(dialog, id);
    // Sent without waiting: a handler that runs a modal dialog would otherwise hold this
    // test until that dialog closed. WaitUntilIdle then follows it in the same queue.
    if (!SendNotifyMessageA(button, BM_CLICK, 0, 0))
        return ::testing::AssertionFailure() << "cannot click button " << id << ": error " << GetLastError();
    return WaitUntilIdle(dialog, timeoutMs);
}

::testing::AssertionResult TypeText(HWND dialog, int id, const std::string& text, DWORD timeoutMs)
{
    HWND control = GetDlgItem(dialog, id);
    if (!control)
        return NoControl(dialog, id);
    for (unsigned char byte : text) {
        if (!SendNotifyMessageA(control, WM_CHAR, byte, 1))
            return ::testing::AssertionFailure() << "cannot type into control " << id << ": error " << GetLastError();
    }
    return WaitUntilIdle(control, timeoutMs);
}

}  // namespace e2e

