// The encoding found for a report's bytes: a mark gives its own; without one, UTF-8 exactly when
// a decoder written here another way (by code point values, not by byte ranges) reads the bytes
// whole and meets a character beyond ASCII; otherwise the device's code page.
#include <string_view>

#include "reports/ReportEncoding.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

// Decodes each sequence to its value and judges the value: the shortest form, not a surrogate,
// at most U+10FFFF.
bool DecodesAsUtf8(std::string_view bytes, bool& beyondAscii)
{
    beyondAscii = false;
    for (size_t at = 0; at < bytes.size();) {
        const unsigned lead = static_cast<unsigned char>(bytes[at]);
        size_t length = 0;  // the lead byte's leading one bits
        while (length < 8 && (lead & (0x80u >> length))) ++length;
        if (length == 0) {
            ++at;
            continue;
        }
        if (length == 1 || length > 4 || bytes.size() - at < length) return false;
        unsigned value = lead & (0xFFu >> (length + 1));
        for (size_t i = 1; i < length; ++i) {
            const unsigned next = static_cast<unsigned char>(bytes[at + i]);
            if ((next & 0xC0) != 0x80) return false;
            value = (value << 6) | (next & 0x3F);
        }
        const unsigned shortest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (value < shortest || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) return false;
        beyondAscii = true;
        at += length;
    }
    return true;
}

bool StartsWith(std::string_view bytes, std::string_view start) { return bytes.substr(0, start.size()) == start; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const unsigned device = input.Byte() & 1 ? kCodePageWestern : kCodePageGbk;
    const std::string rest = input.Rest();
    const std::string_view bytes = rest;
    const ReportEncoding found = DetectedEncoding(bytes, device);

    if (StartsWith(bytes, "\xEF\xBB\xBF")) {
        FUZZ_CHECK(found.codePage == kCodePageUtf8 && found.markSize == 3);
    } else if (StartsWith(bytes, "\xFF\xFE")) {
        FUZZ_CHECK(found.codePage == kCodePageUtf16Le && found.markSize == 2);
    } else if (StartsWith(bytes, "\xFE\xFF")) {
        FUZZ_CHECK(found.codePage == kCodePageUtf16Be && found.markSize == 2);
    } else {
        bool beyondAscii = false;
        const bool utf8 = DecodesAsUtf8(bytes, beyondAscii) && beyondAscii;
        FUZZ_CHECK(found.markSize == 0);
        FUZZ_CHECK(found.codePage == (utf8 ? kCodePageUtf8 : device));
    }
    return 0;
}
