#pragma once
// GDI wrappers. Ownership is in the type: CFont, CBitmap and CDC delete what they hold when
// they go (they cannot be copied, only moved or Detach()ed); CDCHandle only names a device
// context that someone else owns, such as the one a paint message hands over.
#include <windows.h>

#include <utility>

#include "framework/CString.h"

template <typename Handle>
class CGdiObjectT {
public:
    CGdiObjectT() = default;
    ~CGdiObjectT() { DeleteObject(); }
    CGdiObjectT(const CGdiObjectT&) = delete;
    CGdiObjectT& operator=(const CGdiObjectT&) = delete;
    CGdiObjectT(CGdiObjectT&& other) noexcept : m_handle(other.Detach()) {}
    CGdiObjectT& operator=(CGdiObjectT&& other) noexcept
    {
        if (this != &other) Attach(other.Detach());
        return *this;
    }

    Handle GetSafeHandle() const { return m_handle; }
    operator Handle() const { return m_handle; }
    void Attach(Handle handle)
    {
        DeleteObject();
        m_handle = handle;
    }
    Handle Detach() { return std::exchange(m_handle, nullptr); }
    BOOL DeleteObject()
    {
        if (!m_handle) return FALSE;
        return ::DeleteObject(Detach());
    }

protected:
    Handle m_handle = nullptr;
};

class CFont : public CGdiObjectT<HFONT> {
public:
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                    BYTE quality, BYTE pitchAndFamily, const char* faceName)
    {
        Attach(::CreateFontA(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                             outPrecision, clipPrecision, quality, pitchAndFamily, faceName));
        return m_handle != nullptr;
    }
    BOOL CreateFontIndirect(const LOGFONTA* description)
    {
        Attach(::CreateFontIndirectA(description));
        return m_handle != nullptr;
    }
};

class CPen : public CGdiObjectT<HPEN> {
public:
    BOOL CreatePen(int style, int width, COLORREF color)
    {
        Attach(::CreatePen(style, width, color));
        return m_handle != nullptr;
    }
};

class CBitmap : public CGdiObjectT<HBITMAP> {
public:
    BOOL LoadBitmap(UINT resourceId);
    int GetBitmap(BITMAP* info) const { return ::GetObjectA(m_handle, sizeof(BITMAP), info); }
};

class CDCHandle {
public:
    CDCHandle() = default;
    explicit CDCHandle(HDC dc) : m_hDC(dc) {}

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    HGDIOBJ SelectObject(HGDIOBJ object) const { return ::SelectObject(m_hDC, object); }
    BOOL TextOut(int x, int y, const CString& text) const { return ::TextOutA(m_hDC, x, y, text, text.GetLength()); }
    int SetBkMode(int mode) const { return ::SetBkMode(m_hDC, mode); }
    COLORREF SetTextColor(COLORREF color) const { return ::SetTextColor(m_hDC, color); }
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }
    BOOL DrawIcon(int x, int y, HICON icon) const { return ::DrawIcon(m_hDC, x, y, icon); }
    // An opaque text of no characters fills the rectangle in the background colour, with no brush to make.
    void FillSolidRect(const RECT& rect, COLORREF color) const
    {
        ::SetBkColor(m_hDC, color);
        ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    }

    HDC m_hDC = nullptr;
};

class CDC : public CDCHandle {
public:
    CDC() = default;
    ~CDC() { DeleteDC(); }
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    CDC(CDC&& other) noexcept : CDCHandle(other.Detach()) {}

    void Attach(HDC dc)
    {
        DeleteDC();
        m_hDC = dc;
    }
    HDC Detach() { return std::exchange(m_hDC, nullptr); }
    BOOL DeleteDC()
    {
        if (!m_hDC) return FALSE;
        return ::DeleteDC(Detach());
    }
    BOOL CreateCompatibleDC(HDC like)
    {
        Attach(::CreateCompatibleDC(like));
        return m_hDC != nullptr;
    }
};

// Selects an object into a device context for one scope and puts the previous one back,
// so an object is never deleted while a context still holds it.
class CSelectGuard {
public:
    CSelectGuard(const CDCHandle& dc, HGDIOBJ object) : m_dc(dc), m_previous(object ? dc.SelectObject(object) : nullptr) {}
    ~CSelectGuard()
    {
        if (m_previous) m_dc.SelectObject(m_previous);
    }
    CSelectGuard(const CSelectGuard&) = delete;
    CSelectGuard& operator=(const CSelectGuard&) = delete;

private:
    CDCHandle m_dc;
    HGDIOBJ m_previous;
};
