#include "framework/TextModeDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/unit/test_support.h"

using namespace std::string_literals;

namespace {

// Reads a whole file the way the program does: feeds it in chunks of chunkSize bytes, takes
// every line that is complete after each chunk, stops feeding once 0x1A was seen.
std::vector<CString> ReadLines(const std::string& file, size_t chunkSize)
{
    TextModeDecoder decoder;
    std::vector<CString> lines;
    CString line;
    for (size_t from = 0; from < file.size() && !decoder.SawEndOfFileMark(); from += chunkSize) {
        decoder.Feed(file.data() + from, std::min(chunkSize, file.size() - from));
        while (decoder.NextLine(line)) lines.push_back(line);
    }
    decoder.FeedEnd();
    while (decoder.NextLine(line)) lines.push_back(line);
    EXPECT_FALSE(decoder.NextLine(line)) << "a line after the end";
    return lines;
}

struct Row {
    const char* what;
    std::string file;
    std::vector<std::string> lines;
};

const std::vector<Row>& Rows()
{
    static const std::vector<Row> rows = {
        {"empty file", "", {}},
        {"LF ends a line", "A\n", {"A"}},
        {"a blank line", "A\n\n", {"A", ""}},
        {"only LF", "\n", {""}},
        {"no final line end", "A\nB", {"A", "B"}},
        {"CR LF", "A\r\nB\r\n", {"A", "B"}},
        {"CR LF, no final line end", "A\r\nB", {"A", "B"}},
        {"lone CR stays in the line", "A\rB\n", {"A\rB"}},
        {"lone CR at the end of the file", "A\r", {"A\r"}},
        {"only CR", "\r", {"\r"}},
        {"CR CR LF keeps one CR", "A\r\r\nB", {"A\r", "B"}},
        {"CR CR CR LF", "A\r\r\r\n", {"A\r\r"}},
        {"LF CR", "A\n\rB", {"A", "\rB"}},
        {"0x1A ends the file", "A\nB\x1A" "C\nD\n", {"A", "B"}},
        {"0x1A at the start", "\x1A" "A\n", {}},
        {"0x1A after LF", "A\n\x1A", {"A"}},
        {"0x1A after CR keeps the CR", "A\r\x1A\n", {"A\r"}},
        {"NUL bytes are kept", "A\0B\n\0\n"s, {"A\0B"s, "\0"s}},
        {"bytes from 0x80 up", "\xB0\xA1\xA1\xA1\xFF\n", {"\xB0\xA1\xA1\xA1\xFF"}},
        {"white space is not touched", " \tA\t \n", {" \tA\t "}},
        {"mixed ends", "A\r\nB\nC\rD\r\n\r\nE", {"A", "B", "C\rD", "", "E"}},
    };
    return rows;
}

TEST(TextModeDecoderTest, LinesAsReadStringGivesThem)
{
    for (const Row& row : Rows()) {
        SCOPED_TRACE(std::string(row.what) + ": " + Escaped(row.file));
        EXPECT_EQ(Texts(row.lines), ReadLines(row.file, 4096));
    }
}

TEST(TextModeDecoderTest, ChunkBoundariesChangeNothing)
{
    for (const Row& row : Rows()) {
        for (size_t chunk : {size_t{1}, size_t{2}, size_t{3}}) {
            SCOPED_TRACE(std::string(row.what) + ", chunks of " + std::to_string(chunk) + ": " + Escaped(row.file));
            EXPECT_EQ(Texts(row.lines), ReadLines(row.file, chunk));
        }
    }
}

TEST(TextModeDecoderTest, CrLfSplitBetweenChunks)
{
    // Every split of a file into two chunks, so a CR LF, CR CR LF or CR 0x1A falls on each boundary.
    const std::string file = "A\r\nB\r\r\nC\rD\r\x1A" "E";
    const std::vector<CString> expected = Texts({"A", "B\r", "C\rD\r"});
    for (size_t split = 0; split <= file.size(); ++split) {
        SCOPED_TRACE("split at " + std::to_string(split));
        TextModeDecoder decoder;
        decoder.Feed(file.data(), split);
        decoder.Feed(file.data() + split, file.size() - split);
        decoder.FeedEnd();
        std::vector<CString> lines;
        for (CString line; decoder.NextLine(line);) lines.push_back(line);
        EXPECT_EQ(expected, lines);
    }
}

TEST(TextModeDecoderTest, LineIsGivenOnlyWhenComplete)
{
    TextModeDecoder decoder;
    CString line;
    decoder.Feed("AB", 2);
    EXPECT_FALSE(decoder.NextLine(line)) << "no line end yet";
    decoder.Feed("C\r", 2);
    EXPECT_FALSE(decoder.NextLine(line)) << "a CR may still be followed by LF";
    decoder.Feed("\nD", 2);
    ASSERT_TRUE(decoder.NextLine(line));
    EXPECT_EQ(CString("ABC"), line);
    EXPECT_FALSE(decoder.NextLine(line));
    decoder.FeedEnd();
    ASSERT_TRUE(decoder.NextLine(line));
    EXPECT_EQ(CString("D"), line);
    EXPECT_FALSE(decoder.NextLine(line));
}

TEST(TextModeDecoderTest, EndOfFileMark)
{
    TextModeDecoder decoder;
    CString line;
    EXPECT_FALSE(decoder.SawEndOfFileMark());
    decoder.Feed("A\nB\x1A" "C\n", 6);
    EXPECT_TRUE(decoder.SawEndOfFileMark());
    decoder.Feed("D\n", 2);  // ignored: the file has ended
    std::vector<CString> lines;
    while (decoder.NextLine(line)) lines.push_back(line);
    EXPECT_EQ(Texts({"A", "B"}), lines) << "the line cut by 0x1A is given without FeedEnd";
    decoder.FeedEnd();
    EXPECT_FALSE(decoder.NextLine(line));
}

TEST(TextModeDecoderTest, FeedAfterEndIsIgnored)
{
    TextModeDecoder decoder;
    CString line;
    decoder.Feed("A", 1);
    decoder.FeedEnd();
    decoder.Feed("B\n", 2);
    decoder.FeedEnd();
    ASSERT_TRUE(decoder.NextLine(line));
    EXPECT_EQ(CString("A"), line);
    EXPECT_FALSE(decoder.NextLine(line));
    EXPECT_FALSE(decoder.SawEndOfFileMark());
}

TEST(TextModeDecoderTest, SingleHugeLineKeptWhole)
{
    std::string file(5u << 20, 'x');
    for (size_t i = 1000; i < file.size(); i += 1000) file[i] = '\r';  // lone CRs stay in the line
    file += "\r\n";
    for (size_t chunk : {size_t{1}, size_t{4096}}) {
        SCOPED_TRACE("chunks of " + std::to_string(chunk));
        const std::vector<CString> lines = ReadLines(file, chunk);
        ASSERT_EQ(1u, lines.size());
        EXPECT_EQ(file.substr(0, file.size() - 2), lines[0].Bytes());
    }
}

TEST(TextModeDecoderTest, LargeFileKeepsEveryLine)
{
    const std::string line = "P0301  Cylinder 1 misfire detected\t\xB0\xA1\xB0\xA1";
    std::string file;
    size_t count = 0;
    while (file.size() < (20u << 20)) {
        file += line;
        file += (count++ % 2) ? "\r\n" : "\n";
    }
    const std::vector<CString> lines = ReadLines(file, 4096);
    ASSERT_EQ(count, lines.size());
    for (const CString& one : lines) ASSERT_EQ(CString(line), one);
}

}  // namespace
