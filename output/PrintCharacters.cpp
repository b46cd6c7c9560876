#include "output/PrintCharacters.h"

#include "framework/CString.h"

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

size_t Utf8Length(const std::string& text, size_t at)
{
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    const size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead <= 0xDF ? 2 : 1;
    if (lead > 0xF4 || at + length > text.size()) return 1;
    for (size_t k = 1; k < length; ++k)
        if (!IsContinuation(static_cast<unsigned char>(text[at + k]))) return 1;
    return length;
}

}  // namespace

size_t PrintCharLength(const std::string& text, size_t at, PrintEncoding encoding)
{
    if (encoding == PrintEncoding::Utf8) return Utf8Length(text, at);
    return IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

char32_t Utf8CodePoint(const char* bytes, size_t length)
{
    const unsigned char lead = static_cast<unsigned char>(bytes[0]);
    if (length == 1) return lead < 0x80 ? lead : 0xFFFD;
    char32_t point = lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) point = point << 6 | (static_cast<unsigned char>(bytes[k]) & 0x3F);
    return point;
}
