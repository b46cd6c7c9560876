// The least a dialog program must do before it can show what Mardello shows at start-up: load
// the Rich Edit 2.0 library, run a dialog that holds such a control, and put a text in an edit.
// The start-up benchmark starts both programs the same way, so the difference is Mardello's own.
// Given the path of Mardello.exe, it runs Mardello's own main dialog instead, with none of its
// code: what the window's controls cost by themselves. Given "/drive-checks", optionally with a
// drive ("/drive-checks E:"), it makes the checks that following the device needs once a second,
// and nothing else: the drive mask, or the look at the device's PRINT folder.
#include <windows.h>

#include <cstring>

#include "bench/minimal_dialog.h"
#include "res/resource.h"

static_assert(IDC_MINIMAL_TEXT == IDC_EDIT_VIN, "Mardello's dialog shows the text in its VIN box");

namespace {

constexpr char kDriveChecks[] = "/drive-checks";
constexpr UINT_PTR kDriveCheckTimer = 1;
char g_printFolder[16] = "";  // "E:\PRINT" when the device is looked at; empty: the drive mask

INT_PTR CALLBACK MinimalDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM checkDrives)
{
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextA(dialog, IDC_MINIMAL_TEXT, kMinimalDialogText);
        if (checkDrives) SetTimer(dialog, kDriveCheckTimer, 1000, nullptr);
        return TRUE;
    case WM_TIMER:
        if (*g_printFolder) GetFileAttributesA(g_printFolder);
        else GetLogicalDrives();
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    // The dialog template names the class "RichEdit20A", which only this library registers.
    if (!LoadLibraryA("riched20.dll")) return 1;
    if (std::strncmp(commandLine, kDriveChecks, sizeof kDriveChecks - 1) == 0) {
        const char* drive = commandLine + sizeof kDriveChecks - 1;
        while (*drive == ' ') ++drive;
        if (*drive) wsprintfA(g_printFolder, "%c:\\PRINT", *drive);
        DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MINIMAL_DIALOG), nullptr, MinimalDialogProc, 1);
        return 0;
    }
    if (*commandLine) {
        const HMODULE mardello = LoadLibraryExA(commandLine, nullptr, LOAD_LIBRARY_AS_DATAFILE);
        if (!mardello) return 1;
        DialogBoxParamA(mardello, MAKEINTRESOURCEA(IDD_MAIN_DIALOG), nullptr, MinimalDialogProc, 0);
        return 0;
    }
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MINIMAL_DIALOG), nullptr, MinimalDialogProc, 0);
    return 0;
}
