// How long Mardello's main window goes without answering, for the check by hand with a share that
// stops answering (scripts/hang-share.py): a WM_NULL round trip every 20 ms until the file STOP
// exists, each silence over 100 ms printed as it ends with the time since the start, and the
// longest at the end.
//   window_silence.exe STOP
#include <windows.h>

#include <cstdio>

#include "res/resource.h"

namespace {

BOOL CALLBACK FindMainWindow(HWND window, LPARAM found)
{
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window) || !GetDlgItem(window, IDC_EDIT_VIN)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: window_silence.exe STOP\n");
        return 2;
    }
    HWND window = nullptr;
    EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&window));
    if (!window) {
        std::fprintf(stderr, "no Mardello window\n");
        return 1;
    }
    const ULONGLONG start = GetTickCount64();
    ULONGLONG longest = 0;
    while (GetFileAttributesA(argv[1]) == INVALID_FILE_ATTRIBUTES) {
        const ULONGLONG sent = GetTickCount64();
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &answer)) break;
        const ULONGLONG silence = GetTickCount64() - sent;
        if (silence > 100) {
            std::printf("%8.1f s  silent %llu ms\n", (sent - start) / 1000.0, silence);
            std::fflush(stdout);
        }
        if (silence > longest) longest = silence;
        Sleep(20);
    }
    std::printf("longest silence %llu ms\n", longest);
    return 0;
}
