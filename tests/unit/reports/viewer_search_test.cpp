#include "reports/ViewerSearch.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace {

// Every character beyond ASCII counts as a letter here, as the Chinese ones do.
bool IsAsciiAlnumOrBeyond(wchar_t character) { return character > 0x7F || std::isalnum(static_cast<int>(character)); }
std::vector<wchar_t> AsciiUpperCase()
{
    std::vector<wchar_t> upper(0x10000);
    for (size_t i = 0; i < upper.size(); ++i) upper[i] = static_cast<wchar_t>(i >= 'a' && i <= 'z' ? i - 'a' + 'A' : i);
    return upper;
}

TEST(ViewerSearchTest, FindsInTheWholeText)
{
    // 发动 P0420 | P04201 p0420 | Xp0420: characters 0-1 Chinese, 3-8 P0420, 9-15 P04201, 16-21 p0420, 23-28 p0420.
    const std::wstring text = L"\u53D1\u52A8 P0420\rP04201 p0420\rXp0420";
    using Range = std::pair<long, long>;
    const Range none{-1, -1};
    struct Row {
        const char* what;
        std::wstring sought;
        long selectionStart, selectionEnd;
        ViewerSearch search;
        Range expected;
    };
    const Row rows[] = {
        {"down from the start, a Chinese character counts one", L"P0420", 0, 0, {}, {3, 8}},
        {"down: one right at the selection's end", L"P0420", 0, 3, {}, {3, 8}},
        {"down: part of a longer word", L"P0420", 3, 8, {}, {9, 14}},
        {"letters folded without match case", L"P0420", 9, 14, {}, {16, 21}},
        {"every letter folded, not only the first", L"xP0420", 0, 0, {}, {22, 28}},
        {"wraps around to the first", L"P0420", 23, 28, {}, {3, 8}},
        {"match case skips another case and wraps", L"P0420", 9, 14, {true, true, false}, {3, 8}},
        {"whole word skips part of a word", L"P0420", 3, 8, {true, false, true}, {16, 21}},
        {"up: the last ending by the selection's start", L"P0420", 16, 21, {false, false, false}, {9, 14}},
        {"up: one ending right at the selection's start", L"P0420", 21, 22, {false, false, false}, {16, 21}},
        {"up, whole word", L"P0420", 16, 21, {false, false, true}, {3, 8}},
        {"up wraps around to the last", L"P0420", 3, 8, {false, false, false}, {23, 28}},
        {"whole word: a letter before is part of the word", L"P0420", 16, 21, {true, false, true}, {3, 8}},
        {"a Chinese character", L"\u52A8", 0, 0, {}, {1, 2}},
        {"the character that two GBK characters' inner bytes make is no match", L"\u248D", 0, 0, {}, none},
        {"not found", L"P9999", 0, 0, {}, none},
    };
    const std::vector<wchar_t> upper = AsciiUpperCase();
    for (const Row& row : rows) {
        const auto match = FindInViewerText(text, row.selectionStart, row.selectionEnd, row.sought, row.search,
                                            {IsAsciiAlnumOrBeyond, upper.data()});
        EXPECT_EQ(row.expected, match.value_or(none)) << row.what;
    }
}

}  // namespace
