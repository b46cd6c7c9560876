#include "ui/PrintProgressDlg.h"

#include <string>

CPrintProgressDlg::~CPrintProgressDlg()
{
    // The owner is enabled first, so that it is the window activated when this one goes.
    if (m_owner) ::EnableWindow(m_owner, TRUE);
    if (m_hWnd) DestroyWindow();
    m_hWnd = nullptr;
    for (const MSG& command : m_waitingCommands)
        ::PostMessageA(command.hwnd, command.message, command.wParam, command.lParam);
}

BOOL CPrintProgressDlg::Open()
{
    // The owner takes no input from before the window can be seen.
    if (m_owner) ::EnableWindow(m_owner, FALSE);
    if (!Create()) return FALSE;
    ::ShowWindow(m_hWnd, SW_SHOW);
    return TRUE;
}

void CPrintProgressDlg::ShowPage(int page, int pageCount) const
{
    const std::string text = "Printing page " + std::to_string(page) + " of " + std::to_string(pageCount);
    GetDlgItem(IDC_PRINT_PROGRESS_PAGE).SetWindowText(text.c_str());
}

bool CPrintProgressDlg::KeepPrinting()
{
    MSG message;
    while (!m_cancelled && ::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The program is ending: the job stops, and the loop that ends the program gets its message.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            m_cancelled = true;
        } else if (message.hwnd == m_owner &&
                   (message.message == WM_COMMAND || (message.message == WM_SYSCOMMAND && message.wParam < SC_SIZE))) {
            // A command posted to the main window (a key, a menu choice, an entry of its own in the
            // window menu) waits for the job to end, as a view command would otherwise replace the
            // viewer in the middle of it; the system's own entries (move, close) go through.
            m_waitingCommands.push_back(message);
        } else if (!m_hWnd || !::IsDialogMessageA(m_hWnd, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
    return !m_cancelled;
}
