#include "ui/PictureChoice.h"

namespace {

bool operator==(PixelSize a, PixelSize b) { return a.width == b.width && a.height == b.height; }

}  // namespace

PictureChoice ChoosePicture(PixelSize ownSize, PixelSize room)
{
    if (room == ownSize) return {PictureSource::OwnSize, nullptr, room};
    if (room == PixelSize{2 * ownSize.width, 2 * ownSize.height}) return {PictureSource::DoubleSize, nullptr, room};
    return {PictureSource::DoubleSize, SmoothResize, room};
}
