#include "framework/TextRangeSize.h"

#include <gtest/gtest.h>

namespace {

TEST(TextRangeSizeTest, RoomForTheLongestCharacterOfTheCodePage)
{
    struct Row {
        long characters;
        unsigned maxCharBytes;
        size_t bytes;
    } const rows[] = {{10, 2, 21}, {10, 4, 41}, {10, 0, 41}, {0, 2, 1}, {-5, 2, 1}};
    for (const Row& row : rows)
        EXPECT_EQ(row.bytes, TextRangeBufferSize(row.characters, row.maxCharBytes))
            << row.characters << " characters of up to " << row.maxCharBytes << " bytes";
}

}  // namespace
