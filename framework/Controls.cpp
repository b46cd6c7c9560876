#include "framework/Controls.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/TextRangeSize.h"

CString CRichEditCtrl::GetTextRange(long first, long last) const
{
    if (last <= first) return CString();
    // A character of the 8-bit text takes up to the code page's longest character: two bytes
    // in GBK, three or four where the system's code page is UTF-8.
    CPINFO codePage{};
    const unsigned longest = ::GetCPInfo(CP_ACP, &codePage) ? codePage.MaxCharSize : 0;
    std::vector<char> buffer(TextRangeBufferSize(last - first, longest), '\0');
    TEXTRANGEA range{{first, last}, buffer.data()};
    if (SendMessage(EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)) <= 0) return CString();
    // The answer counts characters, not bytes; the text holds no NUL, so its end is the first one.
    return CString(buffer.data(), strnlen(buffer.data(), buffer.size() - 1));
}

std::wstring CRichEditCtrl::GetUnicodeText() const
{
    // WM_GETTEXTLENGTH counts each break as two characters, so the text always has room.
    std::wstring text(static_cast<size_t>(std::max(0L, GetTextLength())) + 1, L'\0');
    GETTEXTEX get{};
    get.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    get.flags = GT_DEFAULT;
    get.codepage = kUnicodeCodePage;
    const LRESULT copied =
        SendMessage(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, static_cast<LRESULT>(text.size()) - 1)));
    return text;
}

BOOL CRichEditCtrl::Renew(DWORD scrollBars)
{
    HWND parent = ::GetParent(m_hWnd);
    char className[64] = "";
    if (!parent || !::GetClassNameA(m_hWnd, className, sizeof className)) return FALSE;
    RECT place{};
    ::GetWindowRect(m_hWnd, &place);
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&place), 2);
    // A rich edit takes the style of a scroll bar away while it hides it, and one made without
    // the style never shows that scroll bar.
    const DWORD style = static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)) | scrollBars;
    HWND fresh = ::CreateWindowExA(static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE)), className, "", style,
                                   place.left, place.top,
                                   place.right - place.left, place.bottom - place.top, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(::GetDlgCtrlID(m_hWnd))),
                                   reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(m_hWnd, GWLP_HINSTANCE)), nullptr);
    if (!fresh) return FALSE;
    // A rich edit may answer WM_GETFONT with nothing; its default character format is the font it shows.
    CHARFORMAT2A font{};
    font.cbSize = sizeof font;
    SendMessage(EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&font));
    ::SendMessageA(fresh, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&font));
    // Right behind the old control in the Z order, which is the dialog's tab order.
    ::SetWindowPos(fresh, m_hWnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const bool hadFocus = ::GetFocus() == m_hWnd;
    ::DestroyWindow(m_hWnd);
    m_hWnd = fresh;
    if (hadFocus) ::SetFocus(fresh);
    return TRUE;
}
