#include "framework/PrintDialog.h"

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

// The common dialog library, and all it brings in, is loaded on the first print instead of at
// start-up: most runs never print, and loading it first thing made the window appear later.
INT_PTR CPrintDialog::DoModal()
{
    static const auto printDlg =
        reinterpret_cast<decltype(&::PrintDlgA)>(reinterpret_cast<void*>(
            ::GetProcAddress(::LoadLibraryA("comdlg32.dll"), "PrintDlgA")));
    if (!printDlg) return IDCANCEL;
    return printDlg(&m_pd) ? IDOK : IDCANCEL;
}

HDC CPrintDialog::GetPrinterDC() { return std::exchange(m_pd.hDC, nullptr); }
