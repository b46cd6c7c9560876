#include "ui/ScaledPictures.h"

namespace {

CBitmap Shrink(UINT largeId, SIZE size)
{
    CBitmap large;
    large.LoadBitmap(largeId);
    BITMAP largeSize{};
    large.GetBitmap(&largeSize);
    CBitmap shrunk;
    CDC source, target;
    if (HDC screen = ::GetDC(nullptr)) {
        shrunk.Attach(::CreateCompatibleBitmap(screen, size.cx, size.cy));
        source.CreateCompatibleDC(screen);
        target.CreateCompatibleDC(screen);
        ::ReleaseDC(nullptr, screen);
    }
    if (!large.GetSafeHandle() || !shrunk.GetSafeHandle() || !source.GetSafeHdc() || !target.GetSafeHdc()) return {};
    CSelectGuard selectLarge(source, large);
    CSelectGuard selectShrunk(target, shrunk);
    // HALFTONE averages the pixels that merge into one; it needs the brush origin set after it.
    target.SetStretchBltMode(HALFTONE);
    ::SetBrushOrgEx(target, 0, 0, nullptr);
    target.StretchBlt(0, 0, size.cx, size.cy, source, 0, 0, largeSize.bmWidth, largeSize.bmHeight, SRCCOPY);
    return shrunk;
}

}  // namespace

HBITMAP CScaledPictures::Get(UINT largeId, SIZE size)
{
    for (Picture& picture : m_pictures) {
        if (picture.largeId != largeId) continue;
        if (picture.size.cx != size.cx || picture.size.cy != size.cy) {
            picture.bitmap = Shrink(largeId, size);
            picture.size = size;
        }
        return picture.bitmap;
    }
    m_pictures.push_back({largeId, size, Shrink(largeId, size)});
    return m_pictures.back().bitmap;
}
