// The hook library that ProcessProbe loads into the program under test. It answers each probe
// message by replying to its sender, before the window it was sent to sees it.
#include <windows.h>

#include "tests/e2e/harness/ProbeQuestions.h"

namespace {

DWORD Answer(e2e::ProbeQuestion question)
{
    switch (question) {
    case e2e::ProbeQuestion::Load: return 1;
    case e2e::ProbeQuestion::ErrorMode: return GetErrorMode();
    case e2e::ProbeQuestion::CpuMilliseconds: {
        FILETIME created, ended, kernel, user;
        if (!GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user)) return MAXDWORD;
        const auto units = [](const FILETIME& t) { return (ULONGLONG{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
        return static_cast<DWORD>((units(kernel) + units(user)) / 10000);
    }
    }
    return MAXDWORD;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int code, WPARAM wParam, LPARAM lParam)
{
    static const UINT ask = RegisterWindowMessageA(e2e::kProbeMessageName);
    if (code == HC_ACTION) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (sent->message == ask && InSendMessage()) ReplyMessage(Answer(static_cast<e2e::ProbeQuestion>(sent->wParam)));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
