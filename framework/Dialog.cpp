#include "framework/Dialog.h"

#include "framework/MessageFilter.h"
#include "framework/WinApp.h"

void DDX_Text(CDataExchange* exchange, int id, CString& value)
{
    CWnd control = exchange->m_pDlgWnd->GetDlgItem(id);
    if (exchange->m_bSaveAndValidate)
        value = control.GetWindowText();
    else if (control.GetWindowText() != value)  // as in the framework: the same text set again
        control.SetWindowText(value);             // would only redraw the control and notify it
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

// The window a modal dialog belongs to, and so disables while it runs. A dialog given no parent
// belongs to the application's main window (to the popup last active over it), as in the
// framework: the about box is then modal to the main dialog instead of standing beside it.
HWND CDialog::ModalOwner(const CWnd* parent, const CWnd* dialog)
{
    if (parent) return parent->m_hWnd ? ::GetAncestor(parent->m_hWnd, GA_ROOT) : nullptr;
    CWinApp* app = AfxGetApp();
    CWnd* main = app ? app->m_pMainWnd : nullptr;
    if (!main || main == dialog || !main->m_hWnd) return nullptr;
    return ::GetLastActivePopup(::GetAncestor(main->m_hWnd, GA_ROOT));
}

// The main window runs a loop of its own, which hands each message to PreTranslateMessage
// first, as the modal filter does for other dialogs. The system's dialog loop passes every
// message through the filter's hook, and under Wine each pass costs three calls to its server:
// idle, with a tick a second and the caret's blink, that was most of what the program cost.
INT_PTR CDialog::RunAsMainWindow()
{
    t_dialogBeingCreated = this;
    m_bEnded = false;
    const HWND window = m_bWideTemplate ? ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nIDTemplate),
                                                               nullptr, &CDialog::DialogProc, reinterpret_cast<LPARAM>(this))
                                        : ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDTemplate),
                                                               nullptr, &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    t_dialogBeingCreated = nullptr;
    if (!window) return -1;
    // The dialog manager shows a dialog that did not show itself.
    if (!::IsWindowVisible(window)) ::ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (::IsWindow(window) && !m_bEnded) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (PreTranslateMessage(&message) || ::IsDialogMessageW(window, &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    if (::IsWindow(window)) ::DestroyWindow(window);
    m_hWnd = nullptr;
    return IDOK;
}

INT_PTR CDialog::DoModal()
{
    if (AfxGetApp() && AfxGetApp()->m_pMainWnd == this) return RunAsMainWindow();
    t_dialogBeingCreated = this;
    CModalMessageFilter filter(*this);
    const HWND owner = ModalOwner(m_pParentWnd, this);
    const auto self = reinterpret_cast<LPARAM>(this);
    INT_PTR result = m_bWideTemplate ? ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nIDTemplate),
                                                         owner, &CDialog::DialogProc, self)
                                     : ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDTemplate),
                                                         owner, &CDialog::DialogProc, self);
    t_dialogBeingCreated = nullptr;
    m_hWnd = nullptr;
    return result;
}

BOOL CDialog::Create()
{
    t_dialogBeingCreated = this;
    m_hWnd = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDTemplate),
                                  ModalOwner(m_pParentWnd, this), &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    t_dialogBeingCreated = nullptr;
    return m_hWnd != nullptr;
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

// The framework centres a dialog once it is initialised: over its owner, or on the screen when
// it has none. A dialog that showed itself or moved during its initialisation stays put.
void CDialog::CenterAfterInit(const RECT& windowBefore, LONG styleBefore) const
{
    if (styleBefore & WS_VISIBLE) return;
    if (::GetWindowLongA(m_hWnd, GWL_STYLE) & (WS_VISIBLE | WS_CHILD)) return;
    CRect window;
    GetWindowRect(&window);
    if (window.left != windowBefore.left || window.top != windowBefore.top) return;

    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    HMONITOR monitor = ::MonitorFromWindow(owner ? owner : m_hWnd, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO screen{};
    screen.cbSize = sizeof screen;
    if (!::GetMonitorInfoA(monitor, &screen)) return;
    RECT centreOn = screen.rcWork;
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) ::GetWindowRect(owner, &centreOn);

    int left = (centreOn.left + centreOn.right - window.Width()) / 2;
    int top = (centreOn.top + centreOn.bottom - window.Height()) / 2;
    // Keep it on the screen, its top-left corner first.
    if (left + window.Width() > screen.rcWork.right) left = screen.rcWork.right - window.Width();
    if (top + window.Height() > screen.rcWork.bottom) top = screen.rcWork.bottom - window.Height();
    if (left < screen.rcWork.left) left = screen.rcWork.left;
    if (top < screen.rcWork.top) top = screen.rcWork.top;
    ::SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    CurrentMessage outer = m_current;
    m_current = {message, wParam, lParam};
    LRESULT result = 0;
    bool handled = false;
    const bool command = message == WM_COMMAND;
    if (command) ++m_nCommandsRunning;
    try {
        handled = ProcessWindowMessage(message, wParam, lParam, result);
    } catch (...) {
        // No exception may cross back into the system's dialog manager.
        handled = false;
    }
    if (command) --m_nCommandsRunning;
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
        dialog->OnWindowMade();
    }
    RECT before{};
    LONG styleBefore = 0;
    if (message == WM_INITDIALOG) {
        ::GetWindowRect(window, &before);
        styleBefore = ::GetWindowLongA(window, GWL_STYLE);
    }
    INT_PTR answer = dialog->Dispatch(message, wParam, lParam);
    if (message == WM_INITDIALOG) dialog->CenterAfterInit(before, styleBefore);
    if (message == WM_NCDESTROY) ::SetWindowLongPtrA(window, DWLP_USER, 0);
    return answer;
}
