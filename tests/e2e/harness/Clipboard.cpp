#include "tests/e2e/harness/Clipboard.h"

#include <cstring>

namespace e2e {

namespace {

// An open clipboard, closed on every way out.
class OpenClipboardGuard {
public:
    explicit OpenClipboardGuard(DWORD timeoutMs)
    {
        opened_ = WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, timeoutMs);
    }
    ~OpenClipboardGuard()
    {
        if (opened_)
            CloseClipboard();
    }
    OpenClipboardGuard(const OpenClipboardGuard&) = delete;
    OpenClipboardGuard& operator=(const OpenClipboardGuard&) = delete;
    explicit operator bool() const { return opened_; }

private:
    bool opened_ = false;
};

}  // namespace

std::optional<std::string> ReadClipboardText(DWORD timeoutMs)
{
    OpenClipboardGuard clipboard(timeoutMs);
    if (!clipboard)
        return std::nullopt;
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data)
        return std::nullopt;
    const auto* bytes = static_cast<const char*>(GlobalLock(data));
    if (!bytes)
        return std::nullopt;
    // The block may be larger than the text, and a careless writer may not end it with a NUL.
    const size_t size = GlobalSize(data);
    const void* nul = std::memchr(bytes, '\0', size);
    std::string text(bytes, nul ? static_cast<const char*>(nul) - bytes : size);
    GlobalUnlock(data);
    return text;
}

std::optional<std::string> ReadClipboardBlock(UINT format, DWORD timeoutMs)
{
    OpenClipboardGuard clipboard(timeoutMs);
    HANDLE data = clipboard ? GetClipboardData(format) : nullptr;
    const auto* bytes = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (!bytes)
        return std::nullopt;
    std::string block(bytes, GlobalSize(data));
    GlobalUnlock(data);
    return block;
}

::testing::AssertionResult WriteClipboardText(const std::string& text, DWORD timeoutMs, UINT format)
{
    // Ended by a NUL as wide as a UTF-16 one.
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 2);
    if (!block)
        return ::testing::AssertionFailure() << "no memory for " << text.size() << " bytes";
    std::memcpy(GlobalLock(block), text.data(), text.size());
    GlobalUnlock(block);

    OpenClipboardGuard clipboard(timeoutMs);
    if (!clipboard) {
        GlobalFree(block);
        return ::testing::AssertionFailure() << "the clipboard stayed open elsewhere for " << timeoutMs << " ms";
    }
    EmptyClipboard();
    if (!SetClipboardData(format, block)) {
        const DWORD error = GetLastError();
        GlobalFree(block);
        return ::testing::AssertionFailure() << "SetClipboardData failed: error " << error;
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult WaitForClipboardChange(DWORD before, DWORD timeoutMs)
{
    if (WaitUntil([before] { return GetClipboardSequenceNumber() != before; }, timeoutMs))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the clipboard did not change within " << timeoutMs << " ms";
}

}  // namespace e2e
