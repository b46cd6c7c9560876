#include "ui/PictureChoice.h"

#include <gtest/gtest.h>

// The rooms inside the buttons at each scale in a Chinese Windows's dialog font, and in a Western one's.
TEST(PictureChoiceTest, APictureIsMadeForItsButtonsRoom)
{
    const struct {
        const char* name;
        PixelSize room;
        PictureSource source;
        Resizer resize;
    } rows[] = {
        {"its own size", {205, 50}, PictureSource::OwnSize, nullptr},
        {"twice its size", {410, 100}, PictureSource::DoubleSize, nullptr},
        {"96 dpi", {206, 50}, PictureSource::DoubleSize, SmoothResize},
        {"96 dpi, Western", {236, 50}, PictureSource::DoubleSize, SmoothResize},
        {"120 dpi", {266, 69}, PictureSource::DoubleSize, SmoothResize},
        {"144 dpi", {326, 83}, PictureSource::DoubleSize, SmoothResize},
        {"168 dpi", {386, 94}, PictureSource::DoubleSize, SmoothResize},
        {"192 dpi", {446, 108}, PictureSource::DoubleSize, SmoothResize},
    };
    for (const auto& row : rows) {
        const PictureChoice choice = ChoosePicture({205, 50}, row.room);
        EXPECT_TRUE(choice.source == row.source && choice.resize == row.resize && choice.size.width == row.room.width &&
                    choice.size.height == row.room.height)
            << row.name;
    }
}
