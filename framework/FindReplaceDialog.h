#pragma once
// The system's modeless Find dialog. It tells its owner of each request with the registered
// message GetFindReplaceMsg(); the object must outlive the dialog's window, which reads and
// writes its FINDREPLACE block while it is open. It is the wide dialog, so that any character can
// be sought, whatever the system's code page holds.
#include <windows.h>

#include <string>

#include "framework/Wnd.h"

class CFindReplaceDialog {
public:
    CFindReplaceDialog();
    CFindReplaceDialog(const CFindReplaceDialog&) = delete;
    CFindReplaceDialog& operator=(const CFindReplaceDialog&) = delete;

    // Opens the Find dialog (only Find: `findOnly` must be TRUE) with `findWhat` in its box.
    BOOL Create(BOOL findOnly, const std::wstring& findWhat, DWORD flags, CWnd* parent);
    static UINT GetFindReplaceMsg();

    std::wstring GetFindString() const { return m_fr.lpstrFindWhat; }
    BOOL FindNext() const { return (m_fr.Flags & FR_FINDNEXT) != 0; }
    BOOL IsTerminating() const { return (m_fr.Flags & FR_DIALOGTERM) != 0; }

    // The longest text the dialog's box holds, with its closing NUL.
    static constexpr size_t kFindWhatSize = 256;

    FINDREPLACEW m_fr{};
    HWND m_hWnd = nullptr;

private:
    wchar_t m_findWhat[kFindWhatSize] = L"";
};
