#include "framework/FileDialog.h"

#include <string>

#include "framework/Dialog.h"
#include "framework/SystemLibrary.h"

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExtension, const char* fileName, DWORD flags,
                         const char* filter, CWnd* parent)
    : m_strDefaultExtension(defaultExtension), m_dwFlags(flags), m_pParentWnd(parent)
{
    (void)openFileDialog;
    if (fileName) ::lstrcpynA(m_szFileName, fileName, sizeof m_szFileName);
    // "Text files (*.txt)|*.txt|" becomes "Text files (*.txt)\0*.txt\0\0".
    std::string pairs = filter ? filter : "";
    for (char& ch : pairs)
        if (ch == '|') ch = '\0';
    m_strFilter = CString(pairs.data(), pairs.size() + 1);
}

INT_PTR CFileDialog::DoModal()
{
    // The common dialog library is loaded when first needed, as for printing.
    static const auto getSaveFileName =
        LoadSystemFunction<decltype(&::GetSaveFileNameA)>("comdlg32.dll", "GetSaveFileNameA");
    if (!getSaveFileName) return IDCANCEL;
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = CDialog::ModalOwner(m_pParentWnd);
    dialog.lpstrFilter = m_strFilter.IsEmpty() ? nullptr : m_strFilter.GetString();
    dialog.lpstrFile = m_szFileName;
    dialog.nMaxFile = sizeof m_szFileName;
    dialog.lpstrInitialDir = m_strInitialFolder.IsEmpty() ? nullptr : m_strInitialFolder.GetString();
    dialog.lpstrDefExt = m_strDefaultExtension.IsEmpty() ? nullptr : m_strDefaultExtension.GetString();
    dialog.Flags = m_dwFlags | OFN_EXPLORER;
    return getSaveFileName(&dialog) ? IDOK : IDCANCEL;
}
