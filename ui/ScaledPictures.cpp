#include "ui/ScaledPictures.h"

namespace {

// The picture's pixels are read out, resized and written into a bitmap like the screen's.
CBitmap Resized(UINT id, SIZE size, Resizer resize)
{
    CBitmap large;
    large.LoadBitmap(id);
    if (!resize) return large;
    BITMAP largeSize{};
    if (!large.GetSafeHandle() || !large.GetBitmap(&largeSize)) return {};
    const PixelSize from = {largeSize.bmWidth, largeSize.bmHeight}, to = {size.cx, size.cy};
    if (from.width <= 0 || from.height <= 0 || to.width <= 0 || to.height <= 0) return {};
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), from.width, -from.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint32_t> pixels(static_cast<size_t>(from.width) * static_cast<size_t>(from.height));
    CBitmap resizedPicture;
    HDC screen = ::GetDC(nullptr);
    if (!screen) return {};
    if (::GetDIBits(screen, large, 0, from.height, pixels.data(), &format, DIB_RGB_COLORS) == from.height) {
        const std::vector<uint32_t> resized = resize(pixels, from, to);
        format.bmiHeader.biWidth = to.width;
        format.bmiHeader.biHeight = -to.height;
        if (!resized.empty()) resizedPicture.Attach(::CreateCompatibleBitmap(screen, to.width, to.height));
        if (resizedPicture.GetSafeHandle() &&
            ::SetDIBits(screen, resizedPicture, 0, to.height, resized.data(), &format, DIB_RGB_COLORS) != to.height)
            resizedPicture.DeleteObject();
    }
    ::ReleaseDC(nullptr, screen);
    return resizedPicture;
}

}  // namespace

HBITMAP CScaledPictures::Get(UINT id, SIZE size, Resizer resize)
{
    for (Picture& picture : m_pictures) {
        if (picture.id != id) continue;
        if (picture.size.cx != size.cx || picture.size.cy != size.cy) {
            picture.bitmap = Resized(id, size, resize);
            picture.size = size;
        }
        return picture.bitmap;
    }
    m_pictures.push_back({id, size, Resized(id, size, resize)});
    return m_pictures.back().bitmap;
}
