// A hook library that the benchmark loads into Mardello, so that the floor of Print All, one
// WM_SETTEXT of the same text, runs inside Mardello's own process as Print All's update does.
// Sent from another process instead, a WM_SETTEXT of a 40,000-line text (1.3 MB) never arrived
// under Wine 8: the program stayed idle and the sender waited until it gave up.
#include <windows.h>

#include "bench/settext_hook.h"

namespace {

void SetTextFromMapping(HWND window)
{
    HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, kSetTextMappingName);
    if (!mapping) return;
    if (const void* text = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0)) {
        SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
        UnmapViewOfFile(text);
    }
    CloseHandle(mapping);
}

}  // namespace

// Called in Mardello's thread before each message sent to one of its windows is handled.
extern "C" __declspec(dllexport) LRESULT CALLBACK SetTextHook(int code, WPARAM wParam, LPARAM lParam)
{
    static const UINT setText = RegisterWindowMessageA(kSetTextMessageName);
    if (code == HC_ACTION) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (sent->message == setText && sent->wParam) SetTextFromMapping(sent->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
