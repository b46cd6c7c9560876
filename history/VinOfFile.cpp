#include "history/VinOfFile.h"

#include <string>

namespace {

void AppendUtf8(std::string& text, unsigned unit)
{
    if (unit < 0x80) {
        text += static_cast<char>(unit);
    } else if (unit < 0x800) {
        text += static_cast<char>(0xC0 | (unit >> 6));
        text += static_cast<char>(0x80 | (unit & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | (unit >> 12));
        text += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (unit & 0x3F));
    }
}

std::string FirstUtf16Line(const unsigned char* bytes, size_t count, bool bigEndian)
{
    std::string line;
    for (size_t i = 0; i + 1 < count; i += 2) {
        const unsigned unit = bigEndian ? (bytes[i] << 8 | bytes[i + 1]) : (bytes[i + 1] << 8 | bytes[i]);
        if (unit == '\n' || unit == '\r') break;
        AppendUtf8(line, unit);
    }
    return line;
}

bool StartsWith(const unsigned char* bytes, size_t count, const char* mark, size_t length)
{
    return count >= length && std::string(reinterpret_cast<const char*>(bytes), length) == std::string(mark, length);
}

}  // namespace

CString VinOfFile(const char* text, size_t count)
{
    if (count > kVinFileReadBytes) count = kVinFileReadBytes;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    // Blanks before the mark count as little as those after it.
    size_t start = 0;
    while (start < count && (bytes[start] == ' ' || bytes[start] == '\t')) ++start;
    bytes += start;
    count -= start;
    CString vin;
    if (StartsWith(bytes, count, "\xFF\xFE", 2) || StartsWith(bytes, count, "\xFE\xFF", 2)) {
        vin = CString(FirstUtf16Line(bytes + 2, count - 2, bytes[0] == 0xFE));
    } else {
        const size_t skipped = StartsWith(bytes, count, "\xEF\xBB\xBF", 3) ? 3 : 0;
        size_t end = skipped;
        while (end < count && bytes[end] != '\n' && bytes[end] != 0x1A) ++end;
        vin = CString(reinterpret_cast<const char*>(bytes) + skipped, end - skipped);
    }
    return vin.Trim();
}
