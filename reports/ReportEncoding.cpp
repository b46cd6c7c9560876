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

// What a UTF-8 reading of the bytes finds.
struct Utf8Reading {
    size_t sequences = 0;       // of more than one byte
    size_t latinSequences = 0;  // of two bytes led by 0xC2 or 0xC3: accents, "°", "±"
    size_t longSequences = 0;   // of three or four bytes
    size_t strayBytes = 0;      // that start no valid sequence; a sequence cut by the end is not one
};

Utf8Reading ReadAsUtf8(std::string_view bytes)
{
    Utf8Reading reading;
    for (size_t at = 0; at < bytes.size();) {
        const size_t length = Utf8SequenceLength(bytes, at);
        if (length == 0) {
            // A last character cut short, as a report cut at its end has it, is not counted.
            size_t rest = at + 1;
            while (rest < bytes.size() && Within(static_cast<unsigned char>(bytes[rest]), 0x80, 0xBF)) ++rest;
            const auto lead = static_cast<unsigned char>(bytes[at]);
            if (rest == bytes.size() && Within(lead, 0xC2, 0xF4) && rest - at < (lead >= 0xF0 ? 4u : lead >= 0xE0 ? 3u : 2u))
                break;
            ++reading.strayBytes;
            ++at;
            continue;
        }
        if (length == 2) {
            ++reading.sequences;
            if (static_cast<unsigned char>(bytes[at]) < 0xC4) ++reading.latinSequences;
        } else if (length > 2) {
            ++reading.sequences;
            ++reading.longSequences;
        }
        at += length;
    }
    return reading;
}

bool IsGbk(std::string_view bytes)
{
    for (size_t at = 0; at < bytes.size(); ++at) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (byte < 0x80) continue;
        if (!Within(byte, 0x81, 0xFE) || at + 1 == bytes.size()) return false;
        const auto trail = static_cast<unsigned char>(bytes[++at]);
        if (!Within(trail, 0x40, 0xFE) || trail == 0x7F) return false;
    }
    return true;
}

// One stray byte in eight characters beyond ASCII is a slip in a UTF-8 text; GBK read as UTF-8
// strays at nearly every character.
bool ReadsAsUtf8(const Utf8Reading& reading)
{
    return reading.sequences > 0 && reading.strayBytes * 8 <= reading.sequences;
}

bool ShortGbkWords(std::string_view bytes, const Utf8Reading& reading)
{
    return reading.longSequences == 0 && reading.latinSequences == 0 && IsGbk(bytes);
}

// Text in UTF-16 holds a zero byte in most characters that are ASCII, always on the same side.
unsigned Utf16ByZeroBytes(std::string_view bytes)
{
    size_t zeros[2] = {0, 0};
    for (size_t at = 0; at + 1 < bytes.size(); at += 2) {
        zeros[0] += bytes[at] == '\0';
        zeros[1] += bytes[at + 1] == '\0';
    }
    const size_t characters = bytes.size() / 2;
    for (int side = 0; side < 2; ++side) {
        const size_t mine = zeros[side], other = zeros[1 - side];
        if (mine > 0 && mine * 4 >= characters && other * 8 <= mine) return side == 1 ? kCodePageUtf16Le : kCodePageUtf16Be;
    }
    return 0;
}

}  // namespace

// The second byte's range is what rules out overlong forms, surrogates and values past U+10FFFF.
size_t Utf8SequenceLength(std::string_view bytes, size_t at)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
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

size_t MarkSize(std::string_view bytes)
{
    for (const Mark& mark : kMarks)
        if (bytes.substr(0, mark.bytes.size()) == mark.bytes) return mark.bytes.size();
    return 0;
}

ReportEncoding ChosenEncoding(std::string_view bytes, unsigned codePage) { return {codePage, MarkSize(bytes)}; }

ReportEncoding DetectedEncoding(std::string_view bytes, unsigned deviceCodePage)
{
    for (const Mark& mark : kMarks) {
        if (bytes.substr(0, mark.bytes.size()) != mark.bytes) continue;
        // A mark saved before a body in the device's code page (Notepad on a report it could not read).
        const std::string_view body = bytes.substr(mark.bytes.size());
        if (mark.codePage == kCodePageUtf8 && deviceCodePage == kCodePageGbk) {
            const Utf8Reading reading = ReadAsUtf8(body);
            if (reading.strayBytes > 0 && !ReadsAsUtf8(reading) && IsGbk(body)) return {kCodePageGbk, mark.bytes.size()};
        }
        return {mark.codePage, mark.bytes.size()};
    }
    if (const unsigned utf16 = Utf16ByZeroBytes(bytes)) return {utf16, 0};
    const Utf8Reading reading = ReadAsUtf8(bytes);
    if (!ReadsAsUtf8(reading) || (deviceCodePage == kCodePageGbk && ShortGbkWords(bytes, reading)))
        return {deviceCodePage, 0};
    return {kCodePageUtf8, 0};
}
