#include "output/PrintLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/test_support.h"

using namespace std::string_literals;

namespace {

TEST(PrintLinesTest, SplitsAtCarriageReturns)
{
    struct Row {
        const char* what;
        std::string viewer;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {"empty viewer", "", {}},
        {"single view: blank first paragraph, remainder after the last CR", "\rA\rB\rC", {"", "A", "B", "C"}},
        {"all-reports view: separators are blank lines", "\rA1\rA2\r\rB1\r\rC1\r",
         {"", "A1", "A2", "", "B1", "", "C1"}},
        {"text without CR is one line", "VIN", {"VIN"}},
        {"only a CR", "\r", {""}},
        {"two CRs", "\r\r", {"", ""}},
        {"a trailing CR adds no line", "A\r", {"A"}},
        {"LF and other bytes are kept", "A\nB\rC\x1A\r\xB3\xB5", {"A\nB", "C\x1A", "\xB3\xB5"}},
        {"NUL is kept", "A\0B\r"s, {"A\0B"s}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.what) + ": " + Escaped(row.viewer));
        EXPECT_EQ(Texts(row.lines), SplitPrintLines(CString(row.viewer)));
    }
}

// Every byte is 10 units wide, so a width of 10 * n holds n bytes.
int TenPerByte(const char*, size_t length) { return 10 * static_cast<int>(length); }

// Every character is 10 units wide, single- or double-byte alike.
int TenPerCharacter(const char*, size_t) { return 10; }

std::string Joined(const std::vector<CString>& pieces)
{
    std::string joined;
    for (const CString& piece : pieces) joined += piece.Bytes();
    return joined;
}

TEST(PrintLinesTest, WrapsLines)
{
    struct Row {
        const char* what;
        std::string line;
        int maxWidth;
        std::vector<std::string> pieces;
    };
    const Row rows[] = {
        {"empty line is one blank piece", "", 50, {""}},
        {"a line that fits", "ABC DE", 60, {"ABC DE"}},
        {"exact fit", "ABCDE", 50, {"ABCDE"}},
        {"break after the last space that fits", "AB CD EF GH", 60, {"AB CD ", "EF GH"}},
        {"space that just fits", "ABCD EFG", 50, {"ABCD ", "EFG"}},
        {"overflowing space starts the next piece", "ABCDE FG", 50, {"ABCDE", " FG"}},
        {"no space: break before the overflowing character", "ABCDEFGHIJ", 40, {"ABCD", "EFGH", "IJ"}},
        {"word longer than a line after a space", "A BCDEFGH", 40, {"A ", "BCDE", "FGH"}},
        {"several spaces", "A  B  C", 30, {"A  ", "B  ", "C"}},
        {"leading spaces", "   ABCD", 40, {"   ", "ABCD"}},
        {"too narrow for one character still makes progress", "ABC", 5, {"A", "B", "C"}},
        {"zero width", "A B", 0, {"A", " ", "B"}},
        {"negative width", "AB", -10, {"A", "B"}},
        {"a double-byte character is never split", "A\xB3\xB5" "B", 20, {"A", "\xB3\xB5", "B"}},
        {"double-byte run without space", "\xB3\xB5\xC1\xBE\xB9\xCA", 40, {"\xB3\xB5\xC1\xBE", "\xB9\xCA"}},
        {"trail byte 0x20 is no break: it belongs to its character", "AB\x81 CD", 30, {"AB", "\x81 C", "D"}},
        {"lead byte as the last byte stands alone", "AB\x81", 20, {"AB", "\x81"}},
        {"full-width space A1 A1 is no break", "AB\xA1\xA1" "CD", 40, {"AB\xA1\xA1", "CD"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.what) + ": " + Escaped(row.line) + " in " + std::to_string(row.maxWidth));
        const std::vector<CString> pieces = WrapPrintLine(CString(row.line), row.maxWidth, TenPerByte);
        EXPECT_EQ(Texts(row.pieces), pieces);
        EXPECT_EQ(row.line, Joined(pieces));
    }
}

TEST(PrintLinesTest, WrapMeasuresWholeCharacters)
{
    std::vector<std::string> measured;
    const CharWidth recording = [&](const char* character, size_t length) {
        measured.emplace_back(character, length);
        return 10;
    };
    WrapPrintLine(CString("A\xB3\xB5 \x81"), 100, recording);
    EXPECT_EQ((std::vector<std::string>{"A", "\xB3\xB5", " ", "\x81"}), measured);

    // With one width per character, a double-byte character counts once.
    EXPECT_EQ(Texts({"\xB3\xB5\xC1\xBE", "\xB9\xCA"}),
              WrapPrintLine(CString("\xB3\xB5\xC1\xBE\xB9\xCA"), 20, TenPerCharacter));
}

TEST(PrintLinesTest, WrapPiecesJoinBackAndFit)
{
    // A mix of words, runs without space and double-byte text, wrapped at many widths.
    const std::string line = "P0301 \xC6\xF8\xB8\xD7 1 \xCA\xA7\xBB\xF0 ABCDEFGHIJKLMNOPQRSTUVWXYZ  x\t\xA1\xA1y \x81";
    for (int maxWidth = -10; maxWidth <= 400; maxWidth += 5) {
        SCOPED_TRACE("width " + std::to_string(maxWidth));
        const std::vector<CString> pieces = WrapPrintLine(CString(line), maxWidth, TenPerByte);
        EXPECT_EQ(line, Joined(pieces));
        for (const CString& piece : pieces) {
            ASSERT_FALSE(piece.IsEmpty());
            const bool singleCharacter = piece.Size() == 1 || (piece.Size() == 2 && IsGbkLeadByte(piece[0]));
            if (!singleCharacter) {
                EXPECT_LE(10 * piece.GetLength(), maxWidth) << Escaped(piece.Bytes());
            }
        }
    }
}

TEST(PrintLinesTest, HugeLinesKeepEveryByte)
{
    std::string words;
    while (words.size() < (5u << 20)) words += "WORD \xB3\xB5 ";
    const std::string noSpace(5u << 20, 'x');
    for (const std::string* line : {static_cast<const std::string*>(&words), &noSpace}) {
        const std::vector<CString> pieces = WrapPrintLine(CString(*line), 800, TenPerByte);
        EXPECT_EQ(*line, Joined(pieces));
        EXPECT_GT(pieces.size(), line->size() / 81);
    }
    std::string viewer;
    for (int i = 0; i < 200000; ++i) viewer += "\rline";
    EXPECT_EQ(200001u, SplitPrintLines(CString(viewer)).size()) << "the blank first line and 200000 more";
}

}  // namespace

namespace {

// UTF-8 text as the viewer's characters reach the layout: a sequence is one character, a byte
// that starts none stands alone.
TEST(PrintLinesTest, WrapsUtf8WholeCharacters)
{
    struct Row {
        const char* what;
        std::string line;
        std::vector<std::string> pieces;  // at 10 units a character, 30 wide
    };
    const Row rows[] = {
        {"three-byte characters", "\xE6\xB0\x94\xE7\xBC\xB8" "1\xE5\xA4\xB1",
         {"\xE6\xB0\x94\xE7\xBC\xB8" "1", "\xE5\xA4\xB1"}},
        {"two- and four-byte characters", "\xC3\xA9\xF0\xA0\x80\x80" "ab", {"\xC3\xA9\xF0\xA0\x80\x80" "a", "b"}},
        {"a sequence cut at the end: its bytes stand alone", "ab\xE6\xB0", {"ab\xE6", "\xB0"}},
        {"a stray continuation byte and a GBK pair", "\x80\xB3\xB5" "a", {"\x80\xB3\xB5", "a"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.what) + ": " + Escaped(row.line));
        EXPECT_EQ(Texts(row.pieces), WrapPrintLine(CString(row.line), 30, TenPerCharacter, PrintEncoding::Utf8));
    }
}

}  // namespace
