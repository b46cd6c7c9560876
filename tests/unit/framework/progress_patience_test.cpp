#include "framework/ProgressPatience.h"

#include <gtest/gtest.h>

#include <vector>

TEST(ProgressPatienceTest, WaitsWhileTheWorkMovesAndGivesUpOnceItStopsForThePatience)
{
    struct Look {
        std::uint64_t moves, nowMs;
        bool waitOn;
    };
    struct Row {
        const char* what;
        std::vector<Look> looks;  // started at 1000 ms, patience 2000 ms
    };
    const Row rows[] = {
        {"no answer at all is given up on at the patience", {{0, 1100, true}, {0, 2999, true}, {0, 3000, false}}},
        {"slow but steady is waited for long past it", {{1, 2500, true}, {2, 4000, true}, {3, 5900, true}, {3, 7800, true}}},
        {"stopping after moving is given up on", {{5, 1500, true}, {5, 3400, true}, {5, 3500, false}}},
        {"a clock gone back counts no time", {{0, 500, true}}},
    };
    for (const Row& row : rows) {
        ProgressPatience patience(1000, 2000);
        for (const Look& look : row.looks)
            EXPECT_EQ(look.waitOn, patience.WaitOn(look.moves, look.nowMs)) << row.what << " at " << look.nowMs;
    }
}
