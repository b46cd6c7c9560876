#include "output/PrintFont.h"

#include <cstring>

namespace {

// The character set of a code page (GB2312 for GBK); DEFAULT_CHARSET, which the mapper reads as
// the system's code page, where the system knows no set for it (UTF-8).
BYTE CharsetOf(unsigned codePage)
{
    CHARSETINFO info{};
    const auto source = reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(codePage));
    return ::TranslateCharsetInfo(source, &info, TCI_SRCCODEPAGE) ? static_cast<BYTE>(info.ciCharset)
                                                                  : BYTE{DEFAULT_CHARSET};
}

// Whether the font the mapper gives for `font` on `dc` is of the character set `charset`.
bool Covers(const CDCHandle& dc, HFONT font, BYTE charset)
{
    CSelectGuard select(dc, font);
    return charset == DEFAULT_CHARSET || ::GetTextCharset(dc) == charset;
}

int CALLBACK TakeFirstOutlineFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM face)
{
    // Outline fonts only, so that the preview on the screen draws the face the printer prints;
    // '@' faces are the vertical forms of the same fonts.
    if (!(type & TRUETYPE_FONTTYPE) || font->lfFaceName[0] == '@') return 1;
    std::memcpy(reinterpret_cast<char*>(face), font->lfFaceName, LF_FACESIZE);
    return 0;
}

}  // namespace

CFont CreatePrintFont(const CDCHandle& printer, int height, unsigned codePage, bool bold)
{
    LOGFONTA description{};
    description.lfHeight = height;
    description.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    description.lfCharSet = CharsetOf(codePage);
    CFont font;
    font.CreateFontIndirect(&description);
    if (!font.GetSafeHandle() || Covers(printer, font, description.lfCharSet)) return font;

    // The mapper found no font of that set by itself: name the first face that has it.
    LOGFONTA wanted{};
    wanted.lfCharSet = description.lfCharSet;
    char face[LF_FACESIZE] = "";
    ::EnumFontFamiliesExA(printer, &wanted, &TakeFirstOutlineFace, reinterpret_cast<LPARAM>(face), 0);
    if (!face[0]) return font;
    std::memcpy(description.lfFaceName, face, LF_FACESIZE);
    CFont named;
    if (named.CreateFontIndirect(&description)) return named;
    return font;
}
