#include "tests/e2e/harness/Wait.h"

namespace e2e {

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool WaitUntil(const std::function<bool()>& ready, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (ready())
            return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return ready();
        // Another process gives no event to wait on, so look again soon; a message for one of
        // our own windows ends the pause early.
        const DWORD pause = static_cast<DWORD>(deadline - now < 10 ? deadline - now : 10);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, pause, QS_ALLINPUT);
        PumpMessages();
    }
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

}  // namespace e2e
