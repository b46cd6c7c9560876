#include "output/PrintScripts.h"

#include "output/PrintCharacters.h"

namespace {

struct Script {
    char32_t ranges[6][2];      // code points, first and last; unused ranges are {0, 0}
    unsigned fallback;          // the code page that prints it where the system's does not
    unsigned holders[5];        // code pages whose fonts hold it; 0 ends the list
};

// In order of precedence: the first script seen that the system's code page lacks decides. The
// East Asian code pages also hold Greek and Cyrillic letters, and all but Korean lack Hangul.
constexpr Script kScripts[] = {
    {{{0x1100, 0x11FF}, {0x3130, 0x318F}, {0xAC00, 0xD7AF}}, 949, {949}},
    {{{0x3040, 0x30FF}, {0x31F0, 0x31FF}, {0xFF66, 0xFF9F}}, 932, {932, 936, 949, 950}},
    {{{0x2E80, 0x2FDF}, {0x3000, 0x303F}, {0x3400, 0x4DBF}, {0x4E00, 0x9FFF}, {0xF900, 0xFAFF}, {0xFF00, 0xFFEF}},
     936, {932, 936, 949, 950}},
    {{{0x0400, 0x052F}}, 1251, {1251, 932, 936, 949, 950}},
    {{{0x0370, 0x03FF}}, 1253, {1253, 932, 936, 949, 950}},
};

bool Holds(const Script& script, unsigned codePage)
{
    for (unsigned holder : script.holders)
        if (holder == codePage) return true;
    return false;
}

}  // namespace

void PrintScripts::Scan(const std::string& utf8)
{
    for (size_t at = 0; at < utf8.size();) {
        const size_t length = PrintCharLength(utf8, at, PrintEncoding::Utf8);
        const char32_t point = Utf8CodePoint(utf8.data() + at, length);
        at += length;
        if (point < 0x370) continue;  // Latin: every code page's font prints it
        for (unsigned k = 0; k < sizeof kScripts / sizeof kScripts[0]; ++k)
            for (const auto& range : kScripts[k].ranges)
                if (point >= range[0] && point <= range[1] && range[1]) m_seen |= 1u << k;
    }
}

unsigned PrintScripts::FontCodePage(unsigned systemCodePage) const
{
    for (unsigned k = 0; k < sizeof kScripts / sizeof kScripts[0]; ++k)
        if ((m_seen & 1u << k) && !Holds(kScripts[k], systemCodePage)) return kScripts[k].fallback;
    return systemCodePage;
}
