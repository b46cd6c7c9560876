#pragma once
// The screen's scale. The manifest declares the program DPI-aware, so Windows enlarges nothing
// for it: the program sizes its label font and its pictures for the screen's dots per inch.
#include <windows.h>

constexpr int kUnscaledDpi = 96;

// The dots per inch of the screen, as the system tells a DPI-aware program.
int ScreenDpi();

// A length in pixels at 96 dpi, at `dpi`.
inline int ScaledTo(int dpi, int pixelsUnscaled) { return ::MulDiv(pixelsUnscaled, dpi, kUnscaledDpi); }
