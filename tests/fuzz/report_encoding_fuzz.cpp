// Without a mark or zero bytes, a report's bytes are UTF-8 when a decoder written another way (by
// code point values, not by byte ranges) reads them whole and meets a character that short GBK
// words never give (three or four bytes, or Latin); and never when they hold nothing beyond ASCII.
#include <algorithm>

#include "reports/ReportEncoding.h"
#include "tests/fuzz/FuzzCheck.h"

// Each sequence decoded to its value, then judged: shortest form, no surrogate, at most U+10FFFF.
static bool DecodesBeyondAscii(const std::string& bytes, bool& notGbkWords)
{
    bool beyondAscii = false;
    notGbkWords = false;
    for (size_t at = 0; at < bytes.size(); ++at) {
        const unsigned lead = static_cast<unsigned char>(bytes[at]);
        size_t length = 0;  // the lead byte's leading one bits
        while (length < 8 && (lead & (0x80u >> length))) ++length;
        if (length == 0) continue;
        if (length == 1 || length > 4 || bytes.size() - at < length) return false;
        unsigned value = lead & (0xFFu >> (length + 1));
        for (size_t i = 1; i < length; ++i) {
            const unsigned next = static_cast<unsigned char>(bytes[++at]);
            if ((next & 0xC0) != 0x80) return false;
            value = value << 6 | (next & 0x3F);
        }
        const unsigned shortest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (value < shortest || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) return false;
        beyondAscii = true;
        notGbkWords = notGbkWords || length > 2 || value < 0x100;
    }
    return beyondAscii;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const unsigned device = input.Byte() & 1 ? kCodePageWestern : kCodePageGbk;
    const std::string bytes = input.Rest();
    const ReportEncoding found = DetectedEncoding(bytes, device);
    if (found.markSize > 0) {
        FUZZ_CHECK(found.markSize <= bytes.size() && (found.codePage != device || bytes[0] == '\xEF'));
        return 0;
    }
    bool notGbkWords = false;
    if (DecodesBeyondAscii(bytes, notGbkWords) && notGbkWords && bytes.find('\0') == std::string::npos)
        FUZZ_CHECK(found.codePage == kCodePageUtf8);
    FUZZ_CHECK(found.codePage == device || found.codePage == kCodePageUtf8 || found.codePage == kCodePageUtf16Le ||
               found.codePage == kCodePageUtf16Be);
    if (found.codePage == kCodePageUtf8)
        FUZZ_CHECK(std::any_of(bytes.begin(), bytes.end(), [](char byte) { return static_cast<unsigned char>(byte) >= 0x80; }));
    return 0;
}
