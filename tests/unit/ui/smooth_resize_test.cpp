#include "ui/SmoothResize.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Pixels = std::vector<uint32_t>;
constexpr uint32_t kBlue = 0x3899D1;  // the active button's fill: the screen checks look for it exactly

TEST(SmoothResizeTest, NewPixelsComeFromTheOldOnesTheyCover)
{
    struct Row {
        const char* name;
        Pixels (*resize)(const Pixels&, PixelSize, PixelSize);
        Pixels pixels;
        PixelSize from, to;
        Pixels expected;
    };
    const Row rows[] = {
        {"flat colour shrunk", SmoothResize, Pixels(15, kBlue), {5, 3}, {3, 2}, Pixels(6, kBlue)},
        {"flat colour enlarged", SmoothResize, Pixels(4, kBlue), {2, 2}, {3, 3}, Pixels(9, kBlue)},
        {"halved: the mean of each channel, rounded", SmoothResize, {0x000000, 0x0000FF, 0x00FF00, 0xFF0000}, {2, 2}, {1, 1}, {0x404040}},
        // The middle new pixel covers the last third of old pixel 1 and the first of old pixel 2.
        {"an edge shrunk 4 to 3", SmoothResize, {0, 0, 0xFF, 0xFF}, {4, 1}, {3, 1}, {0, 0x80, 0xFF}},
        {"down the columns too", SmoothResize, {0, 0, 0xFF, 0xFF}, {1, 4}, {1, 3}, {0, 0x80, 0xFF}},
        // Sizes that do not fit give nothing.
        {"fewer pixels than the size", SmoothResize, Pixels(5), {3, 2}, {2, 2}, {}},
        {"more pixels than the size", SmoothResize, Pixels(7), {3, 2}, {2, 2}, {}},
        {"no old width", SmoothResize, {}, {0, 2}, {2, 2}, {}},
        {"no new height", SmoothResize, Pixels(6), {3, 2}, {2, 0}, {}},
        {"negative new width", SmoothResize, Pixels(6), {3, 2}, {-2, 2}, {}},
        {"negative old size", SmoothResize, Pixels(6), {-3, -2}, {2, 2}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.expected, row.resize(row.pixels, row.from, row.to));
    }
}

}  // namespace
