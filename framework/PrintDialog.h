#pragma once
// The system's print dialog. On OK it hands over a device context for the chosen printer,
// which the caller takes into a CDC that deletes it.
#include <windows.h>

#include "framework/Wnd.h"

class CPrintDialog {
public:
    CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent = nullptr);
    ~CPrintDialog();
    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;

    INT_PTR DoModal();
    // The chosen printer's device context; it now belongs to the caller.
    HDC GetPrinterDC();

    PRINTDLGA m_pd{};

private:
    CWnd* m_pParentWnd;
};
