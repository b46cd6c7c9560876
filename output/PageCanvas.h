#pragma once
// What a laid-out page is drawn on: the printer, the preview's screen, or a recording.
#include "framework/CString.h"

class PageCanvas {
public:
    virtual ~PageCanvas() = default;
    // Draws `text` in the print font with its cell's top left corner at (x, y), in the page's
    // device units.
    virtual void Text(int x, int y, const CString& text) = 0;
};
