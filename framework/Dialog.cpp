#include "framework/Dialog.h"

#include "framework/WinApp.h"

void DDX_Text(CDataExchange* exchange, int id, CString& value)
{
    CWnd control = exchange->m_pDlgWnd->GetDlgItem(id);
    if (exchange->m_bSaveAndValidate)
        value = control.GetWindowText();
    else
        control.SetWindowText(value);
}

void DDX_Control(CDataExchange* exchange, int id, CWnd& control)
{
    if (!control.m_hWnd) control.m_hWnd = ::GetDlgItem(exchange->m_pDlgWnd->m_hWnd, id);
}

namespace {
// The dialog whose window is being created on this thread: its first messages arrive
// before DialogBoxParam could have stored anything in the window.
thread_local CDialog* t_dialogBeingCreated = nullptr;
}  // namespace

INT_PTR CDialog::DoModal()
{
    t_dialogBeingCreated = this;
    HWND parent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    INT_PTR result = ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDTemplate), parent,
                                       &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    t_dialogBeingCreated = nullptr;
    m_hWnd = nullptr;
    return result;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

bool CDialog::ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_INITDIALOG:
        result = OnInitDialog();
        return true;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return true;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return true;
        }
        // Commands no window handles go on to the application, as the framework routes them.
        return AfxGetApp() && AfxGetApp()->ProcessWindowMessage(message, wParam, lParam, result);
    case WM_NCDESTROY:
        // The main window gone means the program is done: end the modal loop it runs in.
        if (AfxGetApp() && AfxGetApp()->m_pMainWnd == this) ::PostQuitMessage(0);
        return false;
    default:
        return false;
    }
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    CurrentMessage outer = m_current;
    m_current = {message, wParam, lParam};
    LRESULT result = 0;
    bool handled = false;
    try {
        handled = ProcessWindowMessage(message, wParam, lParam, result);
    } catch (...) {
        // No exception may cross back into the system's dialog manager.
        handled = false;
    }
    m_current = outer;
    if (!handled) return FALSE;

    // A dialog procedure answers these few messages through its return value and all
    // others through DWLP_MSGRESULT, returning TRUE to say it handled them.
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return static_cast<INT_PTR>(result);
    default:
        ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(window, DWLP_USER));
    if (!dialog) {
        dialog = message == WM_INITDIALOG ? reinterpret_cast<CDialog*>(lParam) : t_dialogBeingCreated;
        if (!dialog) return FALSE;
        t_dialogBeingCreated = nullptr;
        dialog->m_hWnd = window;
        ::SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
    }
    INT_PTR answer = dialog->Dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY) ::SetWindowLongPtrA(window, DWLP_USER, 0);
    return answer;
}
