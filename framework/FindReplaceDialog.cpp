#include "framework/FindReplaceDialog.h"

#include <cstring>

#include "framework/SystemLibrary.h"

CFindReplaceDialog::CFindReplaceDialog()
{
    m_fr.lStructSize = sizeof m_fr;
    m_fr.lpstrFindWhat = m_findWhat;
    m_fr.wFindWhatLen = sizeof m_findWhat;
}

BOOL CFindReplaceDialog::Create(BOOL findOnly, const char* findWhat, DWORD flags, CWnd* parent)
{
    // The common dialog library is loaded when a dialog of it is first asked for, as for printing.
    static const auto findText = LoadSystemFunction<decltype(&::FindTextA)>("comdlg32.dll", "FindTextA");
    if (!findOnly || !findText || !parent) return FALSE;
    std::strncpy(m_findWhat, findWhat ? findWhat : "", sizeof m_findWhat - 1);
    m_findWhat[sizeof m_findWhat - 1] = '\0';
    m_fr.hwndOwner = parent->m_hWnd;
    m_fr.Flags = flags;
    m_hWnd = findText(&m_fr);
    return m_hWnd != nullptr;
}

UINT CFindReplaceDialog::GetFindReplaceMsg()
{
    static const UINT message = ::RegisterWindowMessageA(FINDMSGSTRINGA);
    return message;
}
