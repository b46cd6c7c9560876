#include "reports/WholeCharacterMatch.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/test_support.h"

namespace {

// "发动机转速 P0301": B7A2 B6AF BBFA D7AA CBD9, a space, then ASCII.
const std::string kEngineSpeed = "\xB7\xA2\xB6\xAF\xBB\xFA\xD7\xAA\xCB\xD9 P0301";

TEST(WholeCharacterMatchTest, MatchesOnlyWholeCharacters)
{
    struct Row {
        const char* what;
        std::string text;
        size_t at;
        std::string sought;
        bool matchCase, expected;
    };
    const Row rows[] = {
        {"a GBK word at the start", kEngineSpeed, 0, "\xB7\xA2\xB6\xAF", true, true},
        {"second byte of one character and first of the next", kEngineSpeed, 1, "\xA2\xB6", true, false},
        {"ends on the first byte of a character", kEngineSpeed, 2, "\xB6\xAF\xBB", true, false},
        {"starts on a second byte", kEngineSpeed, 3, "\xAF", true, false},
        {"ASCII after GBK", kEngineSpeed, 11, "P0301", true, true},
        {"letters folded without match case", kEngineSpeed, 11, "p0301", false, true},
        {"letters kept with match case", kEngineSpeed, 11, "p0301", true, false},
        {"a second byte with a letter's value is no letter", "\xB7" "A", 1, "A", false, false},
        {"a second byte is never folded", "\x81" "A", 0, "\x81" "a", false, false},
        {"the same character matches", "\x81" "A", 0, "\x81" "A", false, true},
        {"a lead byte at the very end stands alone", "AB\xB7", 2, "\xB7", true, true},
        {"runs past the end", "P03", 1, "030", false, false},
        {"starts past the end", "P03", 4, "0", false, false},
        {"nothing sought", "P03", 0, "", false, false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.expected, IsWholeCharacterMatch(CString(row.text), row.at, CString(row.sought), row.matchCase))
            << row.what << ": " << Escaped(row.sought) << " at " << row.at << " of " << Escaped(row.text);
}

}  // namespace
