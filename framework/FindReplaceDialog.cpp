#include "framework/FindReplaceDialog.h"

#include <cwchar>

#include "framework/SystemLibrary.h"

CFindReplaceDialog::CFindReplaceDialog()
{
    m_fr.lStructSize = sizeof m_fr;
    m_fr.lpstrFindWhat = m_findWhat;
    m_fr.wFindWhatLen = sizeof m_findWhat;  // in bytes
}

BOOL CFindReplaceDialog::Create(BOOL findOnly, const std::wstring& findWhat, DWORD flags, CWnd* parent)
{
    // The common dialog library is loaded when a dialog of it is first asked for, as for printing.
    static const auto findText = LoadSystemFunction<decltype(&::FindTextW)>("comdlg32.dll", "FindTextW");
    if (!findOnly || !findText || !parent) return FALSE;
    std::wcsncpy(m_findWhat, findWhat.c_str(), kFindWhatSize - 1);
    m_findWhat[kFindWhatSize - 1] = L'\0';
    m_fr.hwndOwner = parent->m_hWnd;
    m_fr.Flags = flags;
    m_hWnd = findText(&m_fr);
    return m_hWnd != nullptr;
}

UINT CFindReplaceDialog::GetFindReplaceMsg()
{
    static const UINT message = ::RegisterWindowMessageW(FINDMSGSTRINGW);
    return message;
}
