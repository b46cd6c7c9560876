// The window menu's entries that open the about box and Workshop Details. Their texts are read
// and shown in Unicode, as the resources hold them, so the Chinese one reads right under any code
// page.
#include "ui/AboutDlg.h"
#include "ui/MardelloDlg.h"
#include "ui/WorkshopDlg.h"

namespace {

void AppendEntry(HMENU menu, UINT command, UINT textId)
{
    wchar_t text[256] = L"";
    if (::LoadStringW(::GetModuleHandleW(nullptr), textId, text, sizeof text / sizeof text[0]) > 0)
        ::AppendMenuW(menu, MF_STRING, command, text);
}

}  // namespace

void CMardelloDlg::AddWindowMenuEntries()
{
    HMENU menu = GetSystemMenu(FALSE);
    if (!menu) return;
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendEntry(menu, IDM_ABOUTBOX, IDS_ABOUTBOX);
    AppendEntry(menu, IDM_WORKSHOP, IDS_WORKSHOP);
    AppendEntry(menu, IDM_HISTORY_ENTRY, IDS_HISTORY);
}

void CMardelloDlg::OnSysCommand(UINT id, LPARAM lParam)
{
    (void)lParam;
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    } else if ((id & 0xFFF0) == IDM_WORKSHOP) {
        OnWorkshopDetails();
    } else if ((id & 0xFFF0) == IDM_HISTORY_ENTRY) {
        OnHistory();
    } else {
        Default();
    }
}

// Details the settings could not take would be gone at the next start: the status line says so
// until the next print or the device's next coming or going.
void CMardelloDlg::OnWorkshopDetails()
{
    CWorkshopDlg workshop(this);
    if (workshop.DoModal() != IDOK || workshop.Kept()) return;
    m_strStatus = "Workshop Details not saved";
    ShowStatus();
}
