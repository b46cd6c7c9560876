#include "framework/PrintDialog.h"

#include <commctrl.h>

#include <utility>

CPrintDialog::CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent)
{
    m_pd.lStructSize = sizeof m_pd;
    m_pd.hwndOwner = parent ? parent->m_hWnd : nullptr;
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

template <typename Function>
Function Find(const char* library, const char* name)
{
    HMODULE module = ::LoadLibraryA(library);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

// The print dialog is the program's only user of the common dialog library and its only window
// with common controls. Both libraries, and all they bring in, are loaded on the first print
// instead of at start-up: most runs never print, and under Wine loading them first thing made
// the window appear later (the common controls alone cost about 16 ms of a 200 ms start).
decltype(&::PrintDlgA) LoadPrintDialog()
{
    using InitCommonControlsFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    if (const auto init = Find<InitCommonControlsFunction>("comctl32.dll", "InitCommonControlsEx")) {
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof controls;
        controls.dwICC = ICC_WIN95_CLASSES;
        init(&controls);
    }
    return Find<decltype(&::PrintDlgA)>("comdlg32.dll", "PrintDlgA");
}

}  // namespace

INT_PTR CPrintDialog::DoModal()
{
    static const auto printDlg = LoadPrintDialog();
    if (!printDlg) return IDCANCEL;
    return printDlg(&m_pd) ? IDOK : IDCANCEL;
}

HDC CPrintDialog::GetPrinterDC() { return std::exchange(m_pd.hDC, nullptr); }
