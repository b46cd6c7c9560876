#pragma once
// The window's pictures on a scaled screen: the double-size pictures of the resources, shrunk
// with smoothing to the size they are shown at, so that edges and letters stay sharp where a
// stretched 100% picture would show its pixels. Shrinking is slow next to showing, so each
// picture is made once and kept; asking for it at another size replaces it.
#include <windows.h>

#include <vector>

#include "framework/Gdi.h"

class CScaledPictures {
public:
    // The picture `largeId` at `size`; null when it cannot be made. The pictures stay owned
    // here: a button showing one must not delete it when it gets another.
    HBITMAP Get(UINT largeId, SIZE size);

private:
    struct Picture {
        UINT largeId;
        SIZE size;
        CBitmap bitmap;
    };
    std::vector<Picture> m_pictures;
};
