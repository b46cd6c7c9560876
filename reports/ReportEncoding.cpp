#include "reports/ReportEncoding.h"

namespace {

struct Mark {
    std::string_view bytes;
    unsigned codePage;
};

constexpr Mark kMarks[] = {
    {"\xEF\xBB\xBF", kCodePageUtf8},
    {"\xFF\xFE", kCodePageUtf16Le},
    {"\xFE\xFF", kCodePageUtf16Be},
};

bool Within(unsigned char byte, unsigned char low, unsigned char high) { return byte >= low && byte <= high; }

// The bytes of the sequence led by `lead` that starts at `at`, or 0 when it is not valid UTF-8.
// The second byte's range is what rules out overlong forms, surrogates and values past U+10FFFF.
size_t SequenceLength(std::string_view bytes, size_t at)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[at + i]); };
    const unsigned char lead = byte(0);
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (Within(lead, 0xC2, 0xDF)) length = 2;
    else if (lead == 0xE0) length = 3, low = 0xA0;
    else if (lead == 0xED) length = 3, high = 0x9F;
    else if (Within(lead, 0xE1, 0xEF)) length = 3;
    else if (lead == 0xF0) length = 4, low = 0x90;
    else if (lead == 0xF4) length = 4, high = 0x8F;
    else if (Within(lead, 0xF1, 0xF3)) length = 4;
    else return 0;
    if (bytes.size() - at < length || !Within(byte(1), low, high)) return 0;
    for (size_t i = 2; i < length; ++i)
        if (!Within(byte(i), 0x80, 0xBF)) return 0;
    return length;
}

}  // namespace

bool IsUtf8BeyondAscii(std::string_view bytes)
{
    bool beyondAscii = false;
    for (size_t at = 0; at < bytes.size();) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        const size_t length = SequenceLength(bytes, at);
        if (length == 0) return false;
        beyondAscii = true;
        at += length;
    }
    return beyondAscii;
}

ReportEncoding DetectedEncoding(std::string_view bytes, unsigned deviceCodePage)
{
    for (const Mark& mark : kMarks)
        if (bytes.substr(0, mark.bytes.size()) == mark.bytes) return {mark.codePage, mark.bytes.size()};
    return {IsUtf8BeyondAscii(bytes) ? kCodePageUtf8 : deviceCodePage, 0};
}
