#include "framework/Wnd.h"

#include <vector>

CString CWnd::GetWindowText() const
{
    int length = ::GetWindowTextLengthA(m_hWnd);
    if (length <= 0) return CString();
    std::vector<char> text(static_cast<size_t>(length) + 1);
    int copied = ::GetWindowTextA(m_hWnd, text.data(), length + 1);
    return CString(text.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}
