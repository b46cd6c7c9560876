#include "framework/TextRangeSize.h"

#include <cstdint>
#include <limits>

namespace {
constexpr unsigned kLongestCharacterOfAnyCodePage = 4;
}  // namespace

size_t TextRangeBufferSize(long characters, unsigned maxCharBytes)
{
    if (characters <= 0) return 1;
    if (maxCharBytes == 0 || maxCharBytes > kLongestCharacterOfAnyCodePage)
        maxCharBytes = kLongestCharacterOfAnyCodePage;
    const uint64_t bytes = static_cast<uint64_t>(characters) * maxCharBytes + 1;
    // A range too large to hold asks for the most there is, which the allocation then refuses.
    return bytes > std::numeric_limits<size_t>::max() ? std::numeric_limits<size_t>::max() : static_cast<size_t>(bytes);
}
