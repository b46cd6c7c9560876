#include "framework/Gdi.h"

// Kept as the resource's own pixels: loading is then a copy, where a bitmap like the screen's
// is converted pixel by pixel, which costs start-up a few milliseconds for the buttons alone.
BOOL CBitmap::LoadBitmap(UINT resourceId)
{
    Attach(static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP,
                                             0, 0, LR_CREATEDIBSECTION)));
    return m_handle != nullptr;
}
