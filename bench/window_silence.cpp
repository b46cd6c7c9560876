// How long Mardello's main window goes without answering, for the check by hand with a share that
// stops answering (scripts/hanging-share.py): a WM_NULL round trip every 20 ms until the file STOP
// exists, each silence over 100 ms printed with the time it began, and the longest at the end.
// Whenever the file COMMANDS exists, the number it holds is posted to the window as a WM_COMMAND
// and the file removed (1002: Live Data, 32785: Save As, 32817: Job Details): a program started
// while a share hangs may itself wait for it under Wine, so this one is started before.
//   window_silence.exe STOP COMMANDS
#include <windows.h>

#include <cstdio>
#include <fstream>

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

void PostCommands(HWND window, const char* commands)
{
    if (GetFileAttributesA(commands) == INVALID_FILE_ATTRIBUTES) return;
    int command = 0;
    std::ifstream(commands) >> command;
    DeleteFileA(commands);
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::printf("%02d:%02d:%02d.%03d command %d\n", now.wHour, now.wMinute, now.wSecond, now.wMilliseconds, command);
    if (command) PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(command), 0);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: window_silence.exe STOP COMMANDS\n");
        return 2;
    }
    HWND window = nullptr;
    EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&window));
    if (!window) {
        std::fprintf(stderr, "no Mardello window\n");
        return 1;
    }
    ULONGLONG longest = 0;
    while (GetFileAttributesA(argv[1]) == INVALID_FILE_ATTRIBUTES) {
        PostCommands(window, argv[2]);
        SYSTEMTIME sentAt;
        GetLocalTime(&sentAt);
        const ULONGLONG sent = GetTickCount64();
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &answer)) break;
        const ULONGLONG silence = GetTickCount64() - sent;
        if (silence > 100)
            std::printf("%02d:%02d:%02d.%03d silent %llu ms\n", sentAt.wHour, sentAt.wMinute, sentAt.wSecond,
                        sentAt.wMilliseconds, silence);
        std::fflush(stdout);
        if (silence > longest) longest = silence;
        Sleep(20);
    }
    std::printf("longest silence %llu ms\n", longest);
    return 0;
}
