#include "ui/SmoothResize.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace {

// Shares are whole numbers out of these, so that no pixel needs floating point (slow in the
// 32-bit program) and a flat colour comes out exact: each new pixel's shares add up to exactly
// the whole. A channel times both wholes stays within 32 bits.
constexpr int kAcrossBits = 12, kDownBits = 8;

// For each new index along one side, the old indexes it covers and the share each has in it,
// kept flat: new index i takes shares [start[i], start[i + 1]).
struct Coverage {
    std::vector<size_t> start;
    std::vector<int> old;
    std::vector<uint32_t> share;

    Coverage(int oldCount, int newCount, int wholeBits)
    {
        const uint32_t whole = 1u << wholeBits;
        const double step = static_cast<double>(oldCount) / newCount;
        for (int i = 0; i < newCount; ++i) {
            start.push_back(old.size());
            const double begin = i * step, end = (i + 1) * step;
            uint32_t given = 0;
            size_t largest = old.size();
            for (int o = static_cast<int>(begin); o < oldCount && o < end; ++o) {
                const double covered = std::min(end, o + 1.0) - std::max(begin, static_cast<double>(o));
                if (covered <= 0) continue;
                const auto part = static_cast<uint32_t>(covered / step * whole + 0.5);
                if (largest == old.size() || part > share[largest]) largest = old.size();
                old.push_back(o), share.push_back(part), given += part;
            }
            // What rounding left over or took too much goes to the largest share.
            if (largest < old.size()) share[largest] += whole - given;
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
    const Coverage across(from.width, to.width, kAcrossBits), down(from.height, to.height, kDownBits);

    // An old row resized across, three channels per pixel. Neighbouring new rows share old
    // rows, so the last few are kept rather than resized again.
    struct Line {
        int old = -1;
        std::vector<uint32_t> channels;
    };
    std::array<Line, 4> lines;
    const auto acrossRow = [&](int old) -> const std::vector<uint32_t>& {
        Line& line = lines[static_cast<size_t>(old) % lines.size()];
        if (line.old == old) return line.channels;
        line.old = old;
        line.channels.assign(newWidth * 3, 0);
        const uint32_t* row = &pixels[static_cast<size_t>(old) * oldWidth];
        for (size_t x = 0; x < newWidth; ++x)
            for (size_t s = across.start[x]; s < across.start[x + 1]; ++s) {
                const uint32_t pixel = row[across.old[s]], share = across.share[s];
                line.channels[x * 3] += share * (pixel & 0xFF);
                line.channels[x * 3 + 1] += share * ((pixel >> 8) & 0xFF);
                line.channels[x * 3 + 2] += share * ((pixel >> 16) & 0xFF);
            }
        return line.channels;
    };

    constexpr int kBits = kAcrossBits + kDownBits;
    std::vector<uint32_t> result(newWidth * static_cast<size_t>(to.height));
    std::vector<uint32_t> sum(newWidth * 3);
    for (size_t y = 0; y < static_cast<size_t>(to.height); ++y) {
        std::fill(sum.begin(), sum.end(), 0);
        for (size_t s = down.start[y]; s < down.start[y + 1]; ++s) {
            const std::vector<uint32_t>& line = acrossRow(down.old[s]);
            for (size_t i = 0; i < sum.size(); ++i) sum[i] += down.share[s] * line[i];
        }
        for (size_t x = 0; x < newWidth; ++x) {
            uint32_t pixel = 0;
            for (int c = 0; c < 3; ++c) {
                const uint32_t channel = (sum[x * 3 + c] + (1u << (kBits - 1))) >> kBits;
                pixel |= std::min(channel, 255u) << (8 * c);
            }
            result[y * newWidth + x] = pixel;
        }
    }
    return result;
}
