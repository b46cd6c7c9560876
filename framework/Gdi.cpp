#include "framework/Gdi.h"

// Kept as the resource's own pixels: loading is then a copy, where a bitmap like the screen's
// is converted pixel by pixel, which costs start-up a few milliseconds for the buttons alone.
// A compressed picture that a system cannot keep that way is loaded as before.
BOOL CBitmap::LoadBitmap(UINT resourceId)
{
    const HINSTANCE exe = ::GetModuleHandleA(nullptr);
    auto bitmap = static_cast<HBITMAP>(
        ::LoadImageA(exe, MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    Attach(bitmap ? bitmap : ::LoadBitmapA(exe, MAKEINTRESOURCEA(resourceId)));
    return m_handle != nullptr;
}
