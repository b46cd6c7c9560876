#include "reports/MemoryHeadroom.h"
#include "reports/ViewerText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/test_support.h"

using namespace std::string_literals;

namespace {

TEST(ViewerTextTest, TrimsThenWidensTabs)
{
    struct Row {
        const char* what;
        std::string line;
        std::string shown;
    };
    const Row rows[] = {
        {"plain line", "P0301 Misfire", "P0301 Misfire"},
        {"empty line", "", ""},
        {"spaces at both ends", "  A B  ", "A B"},
        {"tabs at the ends vanish", "\tA\t", "A"},
        {"inner tab becomes four spaces", "A\tB", "A    B"},
        {"several inner tabs", "A\t\tB\tC", "A        B    C"},
        {"tabs and spaces mixed", " \t A\t B \t ", "A     B"},
        {"CR at the end is removed", "A\r", "A"},
        {"CR inside stays", "A\rB", "A\rB"},
        {"all ASCII white space at the ends", "\t\n\v\f\r A \r\f\v\n\t", "A"},
        {"only spaces and tabs", " \t \t ", ""},
        {"only a CR", "\r", ""},
        {"full-width space at the end stays", "A\xA1\xA1", "A\xA1\xA1"},
        {"full-width space at the start stays", "\xA1\xA1" "A", "\xA1\xA1" "A"},
        {"GBK text with a tab", "\xB3\xB5\t\xC1\xBE", "\xB3\xB5    \xC1\xBE"},
        {"bytes from 0x80 up stay", " \x85\xA0 ", "\x85\xA0"},
        {"NUL inside becomes a space", "A\0B"s, "A B"},
        {"NUL at the ends is trimmed like a space", "\0A\0"s, "A"},
        {"only NULs", "\0\0"s, ""},
        {"other control bytes stay", "\x01" "A\x1F", "\x01" "A\x1F"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.what) + ": " + Escaped(row.line));
        EXPECT_EQ(CString(row.shown), ViewerLine(CString(row.line)));
    }
}

// A view starts with its first line, or with an empty one only where its report does.
TEST(ViewerTextTest, ShownTextDropsTheFirstLinesBreak)
{
    const struct {
        const char* viewer;
        const char* shown;
    } rows[] = {
        {"\r\nA\r\nB", "A\r\nB"},          {"\r\n\r\nA", "\r\nA"},
        {"\r\n", ""},                       {"", ""},
        {"A", "A"},                           {"\r\n{\\rtf1 x}", "{\\rtf1 x}"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(CString(row.shown), ShownViewerText(CString(row.viewer))) << Escaped(row.viewer);
    for (const char* markup : {"{\\rtf1 x}", "{\\urtf1"}) EXPECT_TRUE(StartsAsMarkup(CString(markup))) << markup;
    for (const char* text : {"{\\rt", "\r\n{\\rtf1", " {\\rtf1", ""}) EXPECT_FALSE(StartsAsMarkup(CString(text))) << text;
}

TEST(ViewerTextTest, AppendReportLineWritesBreakBeforeLine)
{
    CString text;
    AppendReportLine(text, CString("\tA\t"));
    EXPECT_EQ(CString("\r\nA"), text);
    AppendReportLine(text, CString(""));
    EXPECT_EQ(CString("\r\nA\r\n"), text);
    AppendSectionBreak(text);
    EXPECT_EQ(CString("\r\nA\r\n\r\n"), text);
}

// A report file as a view meets it: missing, or read whole or cut short after its lines.
struct ReportFile {
    ReportRead read;
    std::vector<std::string> lines;
};
const ReportFile missing{ReportRead::Missing, {}};
ReportFile Present(std::vector<std::string> lines) { return {ReportRead::Whole, std::move(lines)}; }

CString View(const std::vector<ReportFile>& files, bool sectionBreaks)
{
    return ViewOfReports(static_cast<int>(files.size()), sectionBreaks, [&](int file, CString& text) {
        for (const std::string& line : files[static_cast<size_t>(file)].lines) AppendReportLine(text, CString(line));
        return files[static_cast<size_t>(file)].read;
    });
}

TEST(ViewerTextTest, SingleView)
{
    struct Row {
        const char* what;
        ReportFile file;
        std::string text;
    };
    const Row rows[] = {
        {"three lines give an empty first paragraph and no final break", Present({"A", "B", "C"}),
         "\r\nA\r\nB\r\nC"},
        {"missing file leaves the viewer empty", missing, ""},
        {"empty file leaves the viewer empty", Present({}), ""},
        {"blank line and line of white space become empty paragraphs", Present({"A", "", " \t ", "B"}),
         "\r\nA\r\n\r\n\r\nB"},
        {"lines are trimmed and widened", Present({"  DTC\tP0301  ", "\t\xB3\xB5\xA1\xA1"}),
         "\r\nDTC    P0301\r\n\xB3\xB5\xA1\xA1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(CString(row.text), View({row.file}, false));
    }
}

TEST(ViewerTextTest, AllReportsView)
{
    struct Row {
        const char* what;
        std::vector<ReportFile> files;  // DTC.DAT, CDS.DAT, FROZEN.DAT
        std::string text;
    };
    const ReportFile empty = Present({});
    const Row rows[] = {
        {"three files", {Present({"A1", "A2"}), Present({"B1"}), Present({"C1"})},
         "\r\nA1\r\nA2\r\n\r\nB1\r\n\r\nC1\r\n"},
        {"a missing file adds nothing", {Present({"A1", "A2"}), missing, Present({"C1"})},
         "\r\nA1\r\nA2\r\n\r\nC1\r\n"},
        {"an empty file adds only its break", {Present({"A1", "A2"}), empty, Present({"C1"})},
         "\r\nA1\r\nA2\r\n\r\n\r\nC1\r\n"},
        {"only FROZEN.DAT", {missing, missing, Present({"C1"})}, "\r\nC1\r\n"},
        {"no file at all", {missing, missing, missing}, ""},
        {"three empty files", {empty, empty, empty}, "\r\n\r\n\r\n"},
        {"a file cut short ends the view after its lines", {Present({"A1"}), {ReportRead::CutShort, {"B1"}}, Present({"C1"})},
         "\r\nA1\r\n\r\nB1"},
        {"a folder that does not answer ends the view", {Present({"A1"}), {ReportRead::NoAnswer, {}}, Present({"C1"})},
         "\r\nA1\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(CString(row.text), View(row.files, true));
    }
}

TEST(ViewerTextTest, HugeLinesKeepEveryByte)
{
    std::string line(5u << 20, 'x');
    for (size_t i = 7; i < line.size(); i += 8) line[i] = '\t';
    line[0] = '\t';
    line.back() = '\t';
    const CString shown = ViewerLine(CString(line));
    CString text;
    for (int i = 0; i < 4; ++i) AppendReportLine(text, CString(line));

    const size_t innerTabs = line.size() / 8 - 1;  // the last byte's tab is trimmed
    EXPECT_EQ(line.size() - 2 + 3 * innerTabs, shown.Size());
    EXPECT_EQ(shown.Bytes().find('\t'), std::string::npos);
    EXPECT_EQ(4 * (2 + shown.Size()), text.Size());
}

// The viewer gets its text piece by piece; the pieces must rejoin to the text and each must
// hold whole paragraphs, or a CR LF cut in two would become two breaks. A piece never ends
// right after a line longer than the size asked for.
TEST(ViewerTextTest, PiecesHoldWholeParagraphsAndRejoin)
{
    CString text;
    for (const char* line : {"A", "", "\xB9\xCA\xD5\xCF\xC2\xEB", "long line of a report", "", "", "Z"})
        AppendReportLine(text, CString(line));
    AppendSectionBreak(text);
    const std::string& bytes = text.Bytes();
    for (size_t hint : {0u, 1u, 2u, 3u, 5u, 8u, 20u, 1000u}) {
        SCOPED_TRACE(hint);
        std::string joined;
        size_t pieces = 0;
        for (size_t from = 0; from < bytes.size(); ++pieces) {
            const size_t end = ViewerPieceEnd(text, from, hint);
            ASSERT_GT(end, from);
            EXPECT_EQ(0u, bytes.compare(from, 2, "\r\n")) << "a piece starts with its paragraph break";
            EXPECT_TRUE(end == bytes.size() || bytes.compare(end, 2, "\r\n") == 0) << "and ends before the next";
            EXPECT_TRUE(end == bytes.size() || end - from >= hint) << "pieces are as large as asked";
            const size_t lastLine = bytes.rfind("\r\n", end - 1) + 2;
            EXPECT_TRUE(end == bytes.size() || end - lastLine <= hint) << "no piece ends after a long line";
            joined += bytes.substr(from, end - from);
            from = end;
        }
        EXPECT_EQ(bytes, joined);
        if (hint == 8) {
            EXPECT_EQ(3u, pieces) << "A to the double-byte line; the long line and an empty one; the rest";
        } else if (hint == 1000) {
            EXPECT_EQ(1u, pieces);
        }
    }
    EXPECT_EQ(0u, ViewerPieceEnd(CString(), 0, 10));
}

// A piece goes in while 400 bytes a character (800 in a 64-bit process) and 256 MB more are left
// of the address space and of the memory, whichever is less.
TEST(ViewerTextTest, RoomForAPieceAtTwiceWinesRate)
{
    constexpr unsigned long long MB = 1ull << 20, kPlenty = 1ull << 46;
    struct Row {
        size_t pointerSize;
        unsigned long long addressSpace, memory;
        bool room;
    };
    const Row rows[] = {
        {4, 656 * MB, kPlenty, true},   {4, 655 * MB, kPlenty, false},  {4, kPlenty, 655 * MB, false},
        {8, kPlenty, 1056 * MB, true},  {8, kPlenty, 1055 * MB, false}, {8, 1055 * MB, kPlenty, false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.room, ViewerHasRoomFor(1 * MB, {row.addressSpace, row.memory}, row.pointerSize))
            << row.pointerSize << "-byte pointers, " << row.addressSpace / MB << " MB of address space, "
            << row.memory / MB << " MB of memory";
    EXPECT_FALSE(ViewerHasRoomFor(0, {255 * MB, 255 * MB}, 4)) << "less than the reserve";
}

}  // namespace
