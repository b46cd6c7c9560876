#include "reports/ViewerFont.h"

#include <cstring>

namespace {

// A lead byte of U+3000 to U+9FFF (punctuation, kana, ideographs) or of the full-width forms.
bool HoldsChinese(const CString& utf8)
{
    const std::string& bytes = utf8.Bytes();
    for (size_t at = 0; at + 1 < bytes.size(); ++at) {
        const auto lead = static_cast<unsigned char>(bytes[at]), next = static_cast<unsigned char>(bytes[at + 1]);
        if ((lead >= 0xE3 && lead <= 0xE9) || (lead == 0xEF && next >= 0xBC && next <= 0xBF)) return true;
    }
    return false;
}

int CALLBACK TakeFirstOutlineFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM face)
{
    // '@' faces are the vertical forms of the same fonts.
    if (!(type & TRUETYPE_FONTTYPE) || font->lfFaceName[0] == L'@') return 1;
    std::memcpy(reinterpret_cast<wchar_t*>(face), font->lfFaceName, sizeof font->lfFaceName);
    return 0;
}

// Whether the font the mapper gives for `face` in the Chinese set is of that set.
bool CoversChinese(HDC dc, const wchar_t* face)
{
    LOGFONTW wanted{};
    wanted.lfCharSet = GB2312_CHARSET;
    std::memcpy(wanted.lfFaceName, face, sizeof wanted.lfFaceName);
    HFONT font = ::CreateFontIndirectW(&wanted);
    if (!font) return true;
    HGDIOBJ old = ::SelectObject(dc, font);
    const bool covers = ::GetTextCharset(dc) == GB2312_CHARSET;
    ::SelectObject(dc, old);
    ::DeleteObject(font);
    return covers;
}

}  // namespace

void FitViewerFontTo(const CRichEditCtrl& viewer, const CString& viewerText)
{
    if (!HoldsChinese(viewerText)) return;
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    ::SendMessageW(viewer.m_hWnd, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    HDC dc = ::GetDC(viewer.m_hWnd);
    if (!dc) return;
    // A Western system gives the viewer its own character set, whose fonts have no Chinese.
    const bool chineseSet = format.bCharSet == GB2312_CHARSET;
    wchar_t face[LF_FACESIZE] = L"";
    if (!CoversChinese(dc, format.szFaceName)) {
        LOGFONTW wanted{};
        wanted.lfCharSet = GB2312_CHARSET;
        ::EnumFontFamiliesExW(dc, &wanted, &TakeFirstOutlineFace, reinterpret_cast<LPARAM>(face), 0);
    }
    ::ReleaseDC(viewer.m_hWnd, dc);
    if (chineseSet && !face[0]) return;
    format.dwMask = CFM_CHARSET | (face[0] ? CFM_FACE : 0);
    format.bCharSet = GB2312_CHARSET;
    if (face[0]) std::memcpy(format.szFaceName, face, sizeof format.szFaceName);
    ::SendMessageW(viewer.m_hWnd, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
}
