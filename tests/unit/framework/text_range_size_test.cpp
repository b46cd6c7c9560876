#include "framework/TextRangeSize.h"

#include <gtest/gtest.h>

TEST(TextRangeSizeTest, RoomForTheLongestCharacterOfTheCodePage)
{
    // Characters, the code page's longest character in bytes (0: unknown), the bytes to allow.
    const long rows[][3] = {{10, 2, 21}, {10, 4, 41}, {10, 0, 41}, {0, 2, 1}};
    for (const auto& row : rows)
        EXPECT_EQ(static_cast<size_t>(row[2]), TextRangeBufferSize(row[0], static_cast<unsigned>(row[1]))) << row[0];
}
