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
    // Takes the default printer and its settings without showing the dialog, as OK on the
    // unchanged dialog would; false when there is no default printer. With PD_RETURNDC or
    // PD_RETURNIC among the flags, GetPrinterDC then gives its device or information context.
    BOOL GetDefaults();
    // The chosen printer's device context; it now belongs to the caller.
    HDC GetPrinterDC();

    PRINTDLGA m_pd{};
};
