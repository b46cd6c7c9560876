// The window menu's entry that opens the about box.
#include "ui/AboutDlg.h"
#include "ui/MardelloDlg.h"

void CMardelloDlg::AddAboutEntry()
{
    HMENU menu = GetSystemMenu(FALSE);
    if (!menu) return;
    char text[256] = "";
    if (::LoadStringA(::GetModuleHandleA(nullptr), IDS_ABOUTBOX, text, sizeof text) <= 0) return;
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, text);
}

void CMardelloDlg::OnSysCommand(UINT id, LPARAM lParam)
{
    (void)lParam;
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    } else if ((id & 0xFFF0) == IDM_HISTORY_ENTRY) {
        OnHistory();
    } else {
        Default();
    }
}
