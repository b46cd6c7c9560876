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

INT_PTR CPrintDialog::DoModal() { return ::PrintDlgA(&m_pd) ? IDOK : IDCANCEL; }

HDC CPrintDialog::GetPrinterDC() { return std::exchange(m_pd.hDC, nullptr); }
