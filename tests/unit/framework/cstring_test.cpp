#include "framework/CString.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/test_support.h"

using namespace std::string_literals;

namespace {

TEST(CStringTest, CountsBytesIncludingNul)
{
    const CString text("A\0B"s.data(), 3);
    EXPECT_EQ(3, text.GetLength());
    EXPECT_EQ('\0', text[1]);
    EXPECT_EQ('B', text.GetAt(2));
    EXPECT_EQ(text, CString("A\0B"s));
    EXPECT_NE(text, CString("A"));
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
}

TEST(CStringTest, Find)
{
    struct Row {
        std::string text;
        std::string wanted;
        int start;
        int expected;
    };
    const Row rows[] = {
        {"ABCABC", "B", 0, 1},
        {"ABCABC", "B", 2, 4},
        {"ABCABC", "B", 5, -1},
        {"ABCABC", "CA", 0, 2},
        {"ABCABC", "X", 0, -1},
        {"ABCABC", "b", 0, -1},      // case counts
        {"ABCABC", "B", -3, 1},      // a negative start searches from the beginning
        {"ABCABC", "B", 99, -1},     // a start beyond the end finds nothing
        {"", "A", 0, -1},
        {"A\0B"s, "B", 0, 2},        // counted: a NUL does not end the search
        {"\r\nA\r\nB", "\r", 1, 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(Escaped(row.text) + " find " + Escaped(row.wanted) + " from " + std::to_string(row.start));
        const CString text(row.text);
        if (row.wanted.size() == 1) {
            EXPECT_EQ(row.expected, text.Find(row.wanted[0], row.start));
        }
        EXPECT_EQ(row.expected, text.Find(row.wanted.c_str(), row.start));
    }
}

TEST(CStringTest, ReverseFind)
{
    struct Row {
        std::string text;
        char wanted;
        int expected;
    };
    const Row rows[] = {
        {"E:\\", '\\', 2},
        {"C:\\dir\\", '\\', 6},
        {"E:", '\\', -1},
        {"", '\\', -1},
        {"\\", '\\', 0},
        {"A\0A"s, 'A', 2},
        {"A\0A"s, '\0', 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(Escaped(row.text) + " reverse find " + Escaped(std::string(1, row.wanted)));
        EXPECT_EQ(row.expected, CString(row.text).ReverseFind(row.wanted));
    }
}

TEST(CStringTest, LeftAndMid)
{
    const CString text("ABCDEF");
    struct Row {
        CString actual;
        const char* expected;
        const char* what;
    };
    const Row rows[] = {
        {text.Left(0), "", "Left(0)"},
        {text.Left(2), "AB", "Left(2)"},
        {text.Left(6), "ABCDEF", "Left(6)"},
        {text.Left(99), "ABCDEF", "Left(99)"},
        {text.Left(-1), "", "Left(-1)"},
        {text.Mid(0), "ABCDEF", "Mid(0)"},
        {text.Mid(4), "EF", "Mid(4)"},
        {text.Mid(6), "", "Mid(6)"},
        {text.Mid(99), "", "Mid(99)"},
        {text.Mid(-2), "ABCDEF", "Mid(-2)"},
        {text.Mid(1, 3), "BCD", "Mid(1, 3)"},
        {text.Mid(4, 99), "EF", "Mid(4, 99)"},
        {text.Mid(2, 0), "", "Mid(2, 0)"},
        {text.Mid(2, -1), "", "Mid(2, -1)"},
        {text.Mid(99, 2), "", "Mid(99, 2)"},
        {text.Mid(-1, 2), "AB", "Mid(-1, 2)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(CString(row.expected), row.actual);
    }
    EXPECT_EQ(CString("\0B"s), CString("A\0B"s).Mid(1));
}

TEST(CStringTest, Replace)
{
    struct Row {
        std::string text;
        const char* old;
        const char* replacement;
        int count;
        std::string expected;
    };
    const Row rows[] = {
        {"A\tB\tC", "\t", "    ", 2, "A    B    C"},
        {"\t\t", "\t", "    ", 2, "        "},
        {"ABC", "\t", "    ", 0, "ABC"},
        {"", "\t", "    ", 0, ""},
        {"aaaa", "aa", "b", 2, "bb"},      // matches do not overlap, left to right
        {"aaa", "aa", "b", 1, "ba"},
        {"abcabc", "abc", "", 2, ""},      // a replacement may be empty
        {"abc", "b", "bb", 1, "abbc"},     // the replacement is not searched again
        {"abc", "", "X", 0, "abc"},        // an empty pattern replaces nothing
        {"abc", nullptr, "X", 0, "abc"},
        {"a\0b\0"s, "b", "c", 1, "a\0c\0"s},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(Escaped(row.text) + " replace " + Escaped(row.old ? row.old : "(null)"));
        CString text(row.text);
        EXPECT_EQ(row.count, text.Replace(row.old, row.replacement));
        EXPECT_EQ(CString(row.expected), text);
    }
}

int Sign(int value) { return (value > 0) - (value < 0); }

TEST(CStringTest, CompareNoCase)
{
    struct Row {
        std::string mine;
        std::string theirs;
        int sign;
    };
    const Row rows[] = {
        {"PRINT", "PRINT", 0},
        {"print", "PRINT", 0},
        {"Print", "PRINT", 0},
        {"PRINT", "print", 0},
        {"PRINTS", "PRINT", 1},
        {"PRIN", "PRINT", -1},
        {"", "", 0},
        {"", "A", -1},
        {"a", "B", -1},
        {"B", "a", 1},
        {"[", "a", -1},   // letters fold to lower case, so '[' (0x5B) sorts before 'a' (0x61)
        {"\xB0\xA1", "\xB0\xA1", 0},   // the same GBK character
        {"\xB0\xA1", "\xB0\xA2", -1},
        {"\xB0\xA2", "\xB0\xA1", 1},
        // The trail byte of a double-byte character is never folded: these are two characters.
        {"\x81\x41", "\x81\x61", -1},
        {"\x81\x61", "\x81\x41", 1},
        {"\x81\x5A", "\x81\x7A", -1},
        {"x\x81\x41y", "X\x81\x41Y", 0},  // ASCII around a pair still folds
        {"\x81\x41", "\x81", 1},
        {"\x81", "\x81\x41", -1},
        {"\x81", "\x81", 0},           // a lead byte as the last byte stands alone
        {"A\x81", "a\x81", 0},
        {"\xA1\xA1", "\xA1\xA1", 0},
        {"\xA1\xA1", "  ", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(Escaped(row.mine) + " vs " + Escaped(row.theirs));
        EXPECT_EQ(row.sign, Sign(CString(row.mine).CompareNoCase(row.theirs.c_str())));
    }
    EXPECT_EQ(0, CString().CompareNoCase(nullptr));
    EXPECT_EQ(1, Sign(CString("A").CompareNoCase(nullptr)));
}

TEST(CStringTest, Trim)
{
    struct Row {
        std::string text;
        std::string left;   // after TrimLeft
        std::string right;  // after TrimRight
        std::string both;   // after Trim
    };
    const Row rows[] = {
        {"  A B  ", "A B  ", "  A B", "A B"},
        {"\t\n\v\f\rA\t\n\v\f\r", "A\t\n\v\f\r", "\t\n\v\f\rA", "A"},
        {"", "", "", ""},
        {" \t \r\n", "", "", ""},
        {"A", "A", "A", "A"},
        // Only 0x20 and 0x09 to 0x0D are white space: 0x08, 0x0E, 0x1F and NUL stay.
        {"\x08" "A\x0E", "\x08" "A\x0E", "\x08" "A\x0E", "\x08" "A\x0E"},
        {"\x1F" "A\x1F", "\x1F" "A\x1F", "\x1F" "A\x1F", "\x1F" "A\x1F"},
        {"\0A\0"s, "\0A\0"s, "\0A\0"s, "\0A\0"s},
        // Bytes from 0x80 up always stay: the GBK full-width space A1 A1, 0x85, 0xA0.
        {"\xA1\xA1" "A\xA1\xA1", "\xA1\xA1" "A\xA1\xA1", "\xA1\xA1" "A\xA1\xA1", "\xA1\xA1" "A\xA1\xA1"},
        {" \xA1\xA1 ", "\xA1\xA1 ", " \xA1\xA1", "\xA1\xA1"},
        {"\x85\xA0", "\x85\xA0", "\x85\xA0", "\x85\xA0"},
        {"\xFF ", "\xFF ", "\xFF", "\xFF"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(Escaped(row.text));
        CString left(row.text), right(row.text), both(row.text);
        EXPECT_EQ(CString(row.left), left.TrimLeft());
        EXPECT_EQ(CString(row.right), right.TrimRight());
        EXPECT_EQ(CString(row.both), both.Trim());
    }
}

TEST(CStringTest, Concatenation)
{
    CString text("A");
    text += CString("B");
    text += "C";
    text += 'D';
    text.Append("E\0F"s.data(), 3);
    EXPECT_EQ(CString("ABCDE\0F"s), text);
    EXPECT_EQ(CString("xy"), CString("x") + "y");
    EXPECT_EQ(CString("xy"), "x" + CString("y"));
    EXPECT_EQ(CString("xy"), CString("x") + CString("y"));
    EXPECT_TRUE(CString("x") == "x");
    EXPECT_TRUE(CString("x") != "y");
}

}  // namespace
