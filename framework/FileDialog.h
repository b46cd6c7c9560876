#pragma once
// The system's Save As dialog, for a file name the user confirms or changes.
#include <windows.h>

#include "framework/CString.h"
#include "framework/Wnd.h"

class CFileDialog {
public:
    // Only the Save As form: `openFileDialog` must be FALSE. `filter` is the dialog's list of
    // "description|pattern|" pairs, as the framework writes it.
    CFileDialog(BOOL openFileDialog, const char* defaultExtension, const char* fileName, DWORD flags,
                const char* filter, CWnd* parent = nullptr);

    // The folder the dialog opens in.
    void SetInitialFolder(const CString& folder) { m_strInitialFolder = folder; }
    INT_PTR DoModal();
    CString GetPathName() const { return m_szFileName; }

private:
    CString m_strDefaultExtension;
    CString m_strFilter;  // with NUL separators, as the system wants it
    CString m_strInitialFolder;
    DWORD m_dwFlags;
    CWnd* m_pParentWnd;
    char m_szFileName[MAX_PATH] = "";
};
