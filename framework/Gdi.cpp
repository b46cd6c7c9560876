#include "framework/Gdi.h"

BOOL CBitmap::LoadBitmap(UINT resourceId)
{
    Attach(::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId)));
    return m_handle != nullptr;
}
