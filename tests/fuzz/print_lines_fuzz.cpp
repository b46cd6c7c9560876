// Print lines: splitting keeps every byte but the CRs, and each line wrapped gives pieces that
// join back to it, start on a character boundary (never inside a GBK pair), and fit the
// width unless a piece is a single character.
#include <vector>

#include "output/PrintLines.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

// Start of every character of the line, as the printer reads it: a lead byte with a byte
// after it is one character of two bytes.
std::vector<bool> CharacterStarts(const std::string& line)
{
    std::vector<bool> starts(line.size() + 1, false);
    size_t at = 0;
    for (; at < line.size(); at += IsGbkLeadByte(line[at]) && at + 1 < line.size() ? 2 : 1)
        starts[at] = true;
    starts[at] = true;
    return starts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const int maxWidth = input.Byte();
    const uint8_t widthSeed = input.Byte();
    const CString viewer(input.Rest());
    // Widths derived from the bytes, so that the fuzzer controls which characters are wide.
    const CharWidth width = [&](const char* character, size_t length) {
        return static_cast<int>((static_cast<unsigned char>(character[0]) ^ widthSeed) % 13 + length * 3);
    };

    const std::vector<CString> lines = SplitPrintLines(viewer);
    std::string joinedLines;
    for (const CString& line : lines) {
        FUZZ_CHECK(line.Bytes().find('\r') == std::string::npos);
        if (&line != &lines.front()) joinedLines += '\r';
        joinedLines += line.Bytes();
    }
    const std::string& text = viewer.Bytes();
    FUZZ_CHECK(joinedLines + (!text.empty() && text.back() == '\r' ? "\r" : "") == text);

    for (const CString& line : lines) {
        const std::vector<CString> pieces = WrapPrintLine(line, maxWidth, width);
        FUZZ_CHECK(!pieces.empty());
        const std::vector<bool> starts = CharacterStarts(line.Bytes());
        std::string joined;
        for (const CString& piece : pieces) {
            FUZZ_CHECK(line.IsEmpty() || !piece.IsEmpty());
            FUZZ_CHECK(starts[joined.size()]);
            int pieceWidth = 0, characters = 0;
            const std::string& bytes = piece.Bytes();
            for (size_t at = 0; at < bytes.size(); ++characters) {
                size_t length = 1;
                while (!starts[joined.size() + at + length]) ++length;
                pieceWidth += width(bytes.data() + at, length);
                at += length;
            }
            FUZZ_CHECK(characters <= 1 || pieceWidth <= maxWidth);
            joined += bytes;
        }
        FUZZ_CHECK(joined == line.Bytes());
    }
    return 0;
}
