#pragma once
// The buttons' pictures as the screen shows them: loaded from the resources and, where a
// button's room is not a picture's own size, averaged to it. Resizing is slow next to showing,
// so each picture is made once and kept; asking for it at another size replaces it.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/Gdi.h"
#include "ui/SmoothResize.h"

class CScaledPictures {
public:
    // The picture `id` resized to `size`, or as it is when `resize` is null; null when it cannot
    // be made. The pictures stay owned here: a button showing one must not delete it when it
    // gets another.
    HBITMAP Get(UINT id, SIZE size, Resizer resize);

private:
    struct Picture {
        UINT id;
        SIZE size;
        CBitmap bitmap;
    };
    std::vector<Picture> m_pictures;
};
