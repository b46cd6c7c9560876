#pragma once
// Which picture a button shows, and how it is made for the room inside the button's edge. Each
// picture comes drawn at its own size and at twice it: one of those is shown as it is when it
// fits the room exactly; any other room, at any display scale or in any dialog font, gets the
// double-size picture averaged to fit, so that its edges and letters stay smooth and no bare
// button face shows beside it.
#include "ui/SmoothResize.h"

enum class PictureSource { OwnSize, DoubleSize };

struct PictureChoice {
    PictureSource source;
    Resizer resize;  // null: shown as it is
    PixelSize size;
};

PictureChoice ChoosePicture(PixelSize ownSize, PixelSize room);
