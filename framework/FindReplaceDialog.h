#pragma once
// The system's modeless Find dialog. It tells its owner of each request with the registered
// message GetFindReplaceMsg(); the object must outlive the dialog's window, which reads and
// writes its FINDREPLACE block while it is open.
#include <windows.h>

#include "framework/Wnd.h"

class CFindReplaceDialog {
public:
    CFindReplaceDialog();
    CFindReplaceDialog(const CFindReplaceDialog&) = delete;
    CFindReplaceDialog& operator=(const CFindReplaceDialog&) = delete;

    // Opens the Find dialog (only Find: `findOnly` must be TRUE) with `findWhat` in its box.
    BOOL Create(BOOL findOnly, const char* findWhat, DWORD flags, CWnd* parent);
    static UINT GetFindReplaceMsg();

    CString GetFindString() const { return CString(m_fr.lpstrFindWhat); }
    BOOL FindNext() const { return (m_fr.Flags & FR_FINDNEXT) != 0; }
    BOOL IsTerminating() const { return (m_fr.Flags & FR_DIALOGTERM) != 0; }

    // The longest text the dialog's box holds, with its closing NUL.
    static constexpr size_t kFindWhatSize = 256;

    FINDREPLACEA m_fr{};
    HWND m_hWnd = nullptr;

private:
    char m_findWhat[kFindWhatSize] = "";
};
