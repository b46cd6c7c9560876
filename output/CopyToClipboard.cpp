#include "output/CopyToClipboard.h"

#include <cstring>
#include <string>

#include "framework/Clipboard.h"
#include "framework/WideText.h"
#include "reports/ClipboardText.h"

namespace {

// The blocks are filled before the clipboard is touched, so a failure leaves what the user
// had on the clipboard in place.
bool FillBlock(CGlobalBlock& block, const void* bytes, size_t size)
{
    if (!block.Get()) return false;
    void* into = ::GlobalLock(block.Get());
    if (!into) return false;
    std::memcpy(into, bytes, size);
    ::GlobalUnlock(block.Get());
    return true;
}

}  // namespace

void CopyToClipboard(const std::wstring& viewerCharacters, HWND owner)
{
    const CString utf8 = ClipboardText(CString(NarrowText(viewerCharacters.data(), viewerCharacters.size(), CP_UTF8)));
    // Both with the closing NUL.
    const std::wstring unicode = WideText(utf8, static_cast<int>(utf8.Size()) + 1, CP_UTF8);
    const std::string text = NarrowText(unicode.data(), unicode.size(), CP_ACP);
    const LCID locale = ::GetSystemDefaultLCID();  // its code page is the system's

    CGlobalBlock textBlock(text.size());
    CGlobalBlock unicodeBlock(unicode.size() * sizeof(wchar_t));
    CGlobalBlock localeBlock(sizeof locale);
    if (unicode.empty() || text.empty() || !FillBlock(textBlock, text.data(), text.size()) ||
        !FillBlock(unicodeBlock, unicode.data(), unicode.size() * sizeof(wchar_t)) ||
        !FillBlock(localeBlock, &locale, sizeof locale))
        return;
    CClipboardGuard clipboard(owner);
    if (!clipboard.IsOpen()) return;
    ::EmptyClipboard();
    // Once the clipboard has taken a block it is the clipboard's to free.
    const struct {
        UINT format;
        CGlobalBlock& block;
    } formats[] = {{CF_TEXT, textBlock}, {CF_UNICODETEXT, unicodeBlock}, {CF_LOCALE, localeBlock}};
    for (const auto& format : formats)
        if (::SetClipboardData(format.format, format.block.Get())) format.block.Detach();
}
