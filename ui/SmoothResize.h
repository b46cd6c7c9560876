#pragma once
// Resizes a picture by averaging: each new pixel is the mean of the old pixels it covers,
// weighted by how much of each it covers. Flat areas keep their exact colour, edges and letters
// stay smooth at any size, and it takes a fraction of the time Wine's smoothing stretch takes.
#include <cstdint>
#include <vector>

struct PixelSize {
    int width;
    int height;
};

// `pixels` holds rows top to bottom of three 8-bit channels in the low bytes (0x00RRGGBB).
// Empty when a size is not positive or `pixels` is not from.width * from.height long.
std::vector<uint32_t> SmoothResize(const std::vector<uint32_t>& pixels, PixelSize from, PixelSize to);

using Resizer = decltype(&SmoothResize);
