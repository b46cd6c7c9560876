#include "device/DeviceWatch.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr std::uint32_t C = 1u << 2, D = 1u << 3, E = 1u << 4;

enum class Op { SearchDue, DeviceGone, Removed };

struct Step {
    Op op;
    std::uint32_t mask;  // the drive list at a tick, or the announced letters
    bool expected;       // what SearchDue or DeviceLetterGone answers (the device is on E:)
};

struct Scenario {
    const char* name;
    std::uint32_t atStart;
    std::vector<Step> steps;
};

std::vector<Step> Repeat(int times, Step step) { return std::vector<Step>(static_cast<size_t>(times), step); }

std::vector<Step> Then(std::vector<Step> first, const std::vector<Step>& more)
{
    first.insert(first.end(), more.begin(), more.end());
    return first;
}

// What the running program cannot show from outside: when nothing changed it looks at no
// drive, its searches after a change stop, and a removal is believed before the drive list.
TEST(DeviceWatchTest, LooksOnlyAfterChanges)
{
    const int searches = DeviceWatch::kSearchesAfterChange;
    const Scenario scenarios[] = {
        {"drives as at the start: no search", C | D, Repeat(3, {Op::SearchDue, C | D, false})},
        {"a new letter: a search on each of the next ticks, then none", C,
         Then(Repeat(searches, {Op::SearchDue, C | E, true}), {{Op::SearchDue, C | E, false}})},
        {"a change during the searches starts them anew", C,
         Then(Repeat(searches - 1, {Op::SearchDue, C | D, true}),
              Then(Repeat(searches, {Op::SearchDue, C | D | E, true}), {{Op::SearchDue, C | D | E, false}}))},
        {"the device's volume announced removed, its letter still listed", C | E,
         {{Op::Removed, D | E, false}, {Op::DeviceGone, C | E, true}, {Op::DeviceGone, C | E, false}}},
        {"another volume announced removed", C | D | E, {{Op::Removed, D, false}, {Op::DeviceGone, C | E, false}}},
    };
    for (const Scenario& scenario : scenarios) {
        DeviceWatch watch;
        watch.Start(scenario.atStart);
        for (size_t i = 0; i < scenario.steps.size(); ++i) {
            const Step& step = scenario.steps[i];
            switch (step.op) {
            case Op::SearchDue: EXPECT_EQ(step.expected, watch.SearchDue(step.mask)) << scenario.name << ", step " << i; break;
            case Op::DeviceGone:
                EXPECT_EQ(step.expected, watch.DeviceLetterGone(step.mask, 'E')) << scenario.name << ", step " << i;
                break;
            case Op::Removed: watch.Announce(step.mask, true); break;
            }
        }
    }
}

}  // namespace
