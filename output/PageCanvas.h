#pragma once
// What a laid-out page is drawn on: the printer, the preview's screen, or a recording.
#include "framework/CString.h"

class PageCanvas {
public:
    virtual ~PageCanvas() = default;
    // Draws `text` in the print font with its cell's top left corner at (x, y), in the page's
    // device units.
    virtual void Text(int x, int y, const CString& text) = 0;
    // The same in the larger bold face of the workshop's name.
    virtual void Heading(int x, int y, const CString& text) = 0;
    // A horizontal rule `width` long and `thickness` thick, its top left corner at (x, y).
    virtual void Rule(int x, int y, int width, int thickness) = 0;
};
