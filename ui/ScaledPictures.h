#pragma once
// The window's pictures on a scaled screen: the double-size pictures of the resources, averaged
// down to the size they are shown at, so that edges and letters stay sharp and smooth where a
// stretched 100% picture would show its pixels as blocks. Resizing is slow next to showing, so
// each picture is made once and kept; asking for it at another size replaces it.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/Gdi.h"
#include "ui/SmoothResize.h"

class CScaledPictures {
public:
    using Resizer = std::vector<uint32_t> (*)(const std::vector<uint32_t>& pixels, PixelSize from, PixelSize to);

    // The picture `largeId` at `size`; null when it cannot be made. The pictures stay owned
    // here: a button showing one must not delete it when it gets another.
    HBITMAP Get(UINT largeId, SIZE size, Resizer resize = SmoothResize);

private:
    struct Picture {
        UINT largeId;
        SIZE size;
        CBitmap bitmap;
    };
    std::vector<Picture> m_pictures;
};
