#include "reports/ViewerSearch.h"

#include <gtest/gtest.h>

#include <cctype>

#include "tests/unit/test_support.h"

namespace {

bool IsAsciiOrDoubleByteLetter(std::string_view character)
{
    return character.size() == 2 || std::isalnum(static_cast<unsigned char>(character[0]));
}

TEST(ViewerSearchTest, FindsInTheWholeText)
{
    // 发动 P0420 | P04201 p0420 | Xp0420: characters 0-1 GBK, 3-8 P0420, 9-15 P04201, 16-21 p0420, 23-28 p0420.
    const std::string text = "\xB7\xA2\xB6\xAF P0420\rP04201 p0420\rXp0420";
    using Range = std::pair<long, long>;
    const Range none{-1, -1};
    struct Row {
        const char* what;
        std::string sought;
        long selectionStart, selectionEnd;
        ViewerSearch search;
        Range expected;
    };
    const Row rows[] = {
        {"down from the start, a GBK character counts one", "P0420", 0, 0, {}, {3, 8}},
        {"down: one right at the selection's end", "P0420", 0, 3, {}, {3, 8}},
        {"down: part of a longer word", "P0420", 3, 8, {}, {9, 14}},
        {"letters folded without match case", "P0420", 9, 14, {}, {16, 21}},
        {"wraps around to the first", "P0420", 23, 28, {}, {3, 8}},
        {"match case skips another case and wraps", "P0420", 9, 14, {true, true, false}, {3, 8}},
        {"whole word skips part of a word", "P0420", 3, 8, {true, false, true}, {16, 21}},
        {"up: the last ending by the selection's start", "P0420", 16, 21, {false, false, false}, {9, 14}},
        {"up: one ending right at the selection's start", "P0420", 21, 22, {false, false, false}, {16, 21}},
        {"up, whole word", "P0420", 16, 21, {false, false, true}, {3, 8}},
        {"up wraps around to the last", "P0420", 3, 8, {false, false, false}, {23, 28}},
        {"whole word: a letter before is part of the word", "P0420", 16, 21, {true, false, true}, {3, 8}},
        {"a GBK character", "\xB6\xAF", 0, 0, {}, {1, 2}},
        {"a byte pair across two GBK characters is no match", "\xA2\xB6", 0, 0, {}, none},
        {"not found", "P9999", 0, 0, {}, none},
    };
    for (const Row& row : rows) {
        const auto match = FindInViewerText(text, row.selectionStart, row.selectionEnd, CString(row.sought), row.search,
                                            IsAsciiOrDoubleByteLetter);
        EXPECT_EQ(row.expected, match.value_or(none)) << row.what << ": " << Escaped(row.sought);
    }
}

}  // namespace
