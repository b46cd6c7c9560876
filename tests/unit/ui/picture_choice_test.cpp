#include "ui/PictureChoice.h"

#include <gtest/gtest.h>

// The rooms inside the buttons at each scale in a Chinese Windows's dialog font, and in a Western one's.
TEST(PictureChoiceTest, APictureIsMadeForItsButtonsRoom)
{
    constexpr auto own = PictureSource::OwnSize, twice = PictureSource::DoubleSize;
    const struct {
        const char* name;
        PixelSize room;
        PictureSource source;
        Resizer resize;
    } rows[] = {
        {"96 dpi: its own size", {206, 50}, own, nullptr}, {"twice its size", {412, 100}, twice, nullptr},
        {"96 dpi, Western", {236, 50}, twice, SmoothResize},
        {"120 dpi", {266, 69}, twice, SmoothResize},  {"144 dpi", {326, 83}, twice, SmoothResize},
        {"168 dpi", {386, 94}, twice, SmoothResize},  {"192 dpi", {446, 108}, twice, SmoothResize},
    };
    for (const auto& row : rows) {
        const PictureChoice c = ChoosePicture({206, 50}, row.room);
        EXPECT_TRUE(c.source == row.source && c.resize == row.resize && c.size.width == row.room.width &&
                    c.size.height == row.room.height)
            << row.name;
    }
}
