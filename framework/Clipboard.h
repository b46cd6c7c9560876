#pragma once
// The clipboard, opened for one scope, and the global memory block handed to it.
#include <windows.h>

#include <utility>

class CClipboardGuard {
public:
    // Another program may hold the clipboard for a moment (a clipboard manager reading
    // what was just copied), so opening is retried for about a tenth of a second.
    explicit CClipboardGuard(HWND owner)
    {
        for (int attempt = 0; attempt < 10 && !m_open; ++attempt) {
            if (attempt > 0) ::Sleep(10);
            m_open = ::OpenClipboard(owner) != FALSE;
        }
    }
    ~CClipboardGuard()
    {
        if (m_open) ::CloseClipboard();
    }
    CClipboardGuard(const CClipboardGuard&) = delete;
    CClipboardGuard& operator=(const CClipboardGuard&) = delete;

    bool IsOpen() const { return m_open; }

private:
    bool m_open = false;
};

// A movable global block that is freed unless its ownership is given away with Detach().
class CGlobalBlock {
public:
    explicit CGlobalBlock(SIZE_T size) : m_block(::GlobalAlloc(GMEM_MOVEABLE, size)) {}
    ~CGlobalBlock()
    {
        if (m_block) ::GlobalFree(m_block);
    }
    CGlobalBlock(const CGlobalBlock&) = delete;
    CGlobalBlock& operator=(const CGlobalBlock&) = delete;

    HGLOBAL Get() const { return m_block; }
    HGLOBAL Detach() { return std::exchange(m_block, nullptr); }

private:
    HGLOBAL m_block;
};
