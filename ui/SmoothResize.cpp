#include "ui/SmoothResize.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace {

// For each new index along one side, the old indexes it covers and the share each has in it,
// kept flat: new index i takes shares [start[i], start[i + 1]).
struct Coverage {
    std::vector<size_t> start;
    std::vector<int> old;
    std::vector<float> share;

    Coverage(int oldCount, int newCount)
    {
        const double step = static_cast<double>(oldCount) / newCount;
        for (int i = 0; i < newCount; ++i) {
            start.push_back(old.size());
            const double begin = i * step, end = (i + 1) * step;
            for (int o = static_cast<int>(begin); o < oldCount && o < end; ++o) {
                const double covered = std::min(end, o + 1.0) - std::max(begin, static_cast<double>(o));
                if (covered > 0) old.push_back(o), share.push_back(static_cast<float>(covered / step));
            }
        }
        start.push_back(old.size());
    }
};

bool Fits(const std::vector<uint32_t>& pixels, PixelSize from, PixelSize to)
{
    if (from.width <= 0 || from.height <= 0 || to.width <= 0 || to.height <= 0) return false;
    const size_t oldWidth = static_cast<size_t>(from.width);
    return pixels.size() % oldWidth == 0 && pixels.size() / oldWidth == static_cast<size_t>(from.height);
}

}  // namespace

std::vector<uint32_t> SmoothResize(const std::vector<uint32_t>& pixels, PixelSize from, PixelSize to)
{
    if (!Fits(pixels, from, to)) return {};
    const size_t oldWidth = static_cast<size_t>(from.width), newWidth = static_cast<size_t>(to.width);
    const Coverage across(from.width, to.width), down(from.height, to.height);

    // An old row resized across, three channels per pixel. Neighbouring new rows share old
    // rows, so the last few are kept rather than resized again.
    struct Line {
        int old = -1;
        std::vector<float> channels;
    };
    std::array<Line, 4> lines;
    const auto acrossRow = [&](int old) -> const std::vector<float>& {
        Line& line = lines[static_cast<size_t>(old) % lines.size()];
        if (line.old == old) return line.channels;
        line.old = old;
        line.channels.assign(newWidth * 3, 0.0f);
        const uint32_t* row = &pixels[static_cast<size_t>(old) * oldWidth];
        for (size_t x = 0; x < newWidth; ++x)
            for (size_t s = across.start[x]; s < across.start[x + 1]; ++s) {
                const uint32_t pixel = row[across.old[s]];
                for (int c = 0; c < 3; ++c) line.channels[x * 3 + c] += across.share[s] * ((pixel >> (8 * c)) & 0xFF);
            }
        return line.channels;
    };

    std::vector<uint32_t> result(newWidth * static_cast<size_t>(to.height));
    std::vector<float> sum(newWidth * 3);
    for (size_t y = 0; y < static_cast<size_t>(to.height); ++y) {
        std::fill(sum.begin(), sum.end(), 0.0f);
        for (size_t s = down.start[y]; s < down.start[y + 1]; ++s) {
            const std::vector<float>& line = acrossRow(down.old[s]);
            for (size_t i = 0; i < sum.size(); ++i) sum[i] += down.share[s] * line[i];
        }
        for (size_t x = 0; x < newWidth; ++x) {
            uint32_t pixel = 0;
            for (int c = 0; c < 3; ++c)
                pixel |= static_cast<uint32_t>(std::clamp(sum[x * 3 + c] + 0.5f, 0.0f, 255.0f)) << (8 * c);
            result[y * newWidth + x] = pixel;
        }
    }
    return result;
}
