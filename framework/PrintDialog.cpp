#include "framework/PrintDialog.h"

#include <commctrl.h>

#include <utility>

#include "framework/Dialog.h"
#include "framework/SystemLibrary.h"

CPrintDialog::CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent) : m_pParentWnd(parent)
{
    m_pd.lStructSize = sizeof m_pd;
    m_pd.Flags = flags | (printSetupOnly ? PD_PRINTSETUP : PD_RETURNDC);
    m_pd.nCopies = 1;
}

CPrintDialog::~CPrintDialog()
{
    if (m_pd.hDC) ::DeleteDC(m_pd.hDC);
    if (m_pd.hDevMode) ::GlobalFree(m_pd.hDevMode);
    if (m_pd.hDevNames) ::GlobalFree(m_pd.hDevNames);
}

namespace {

// The print dialog is the program's only window with common controls, and the common dialog
// library serves only it and the Find dialog. Both libraries, and all they bring in, are
// loaded when first needed instead of at start-up: most runs never print, and under Wine loading
// them first thing made the window appear later (the common controls alone cost about 16 ms of
// a 200 ms start).
decltype(&::PrintDlgA) LoadPrintDialog()
{
    using InitCommonControlsFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    if (const auto init = LoadSystemFunction<InitCommonControlsFunction>("comctl32.dll", "InitCommonControlsEx")) {
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof controls;
        controls.dwICC = ICC_WIN95_CLASSES;
        init(&controls);
    }
    return LoadSystemFunction<decltype(&::PrintDlgA)>("comdlg32.dll", "PrintDlgA");
}

}  // namespace

INT_PTR CPrintDialog::DoModal()
{
    static const auto printDlg = LoadPrintDialog();
    if (!printDlg) return IDCANCEL;
    // Owned, as the framework's dialogs are, so the window it belongs to takes no input while it is open.
    m_pd.hwndOwner = CDialog::ModalOwner(m_pParentWnd);
    return printDlg(&m_pd) ? IDOK : IDCANCEL;
}

HDC CPrintDialog::GetPrinterDC() { return std::exchange(m_pd.hDC, nullptr); }
