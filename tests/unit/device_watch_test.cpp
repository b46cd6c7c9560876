#include "device/DeviceWatch.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr std::uint32_t C = 1u << 2, D = 1u << 3, E = 1u << 4;

enum class Op { SearchDue, DeviceGone, Arrived, Removed, Lost, Found };

struct Step {
    Op op;
    std::uint32_t mask;  // the drive list at a tick, or the announced letters
    bool expected;       // what SearchDue or AnnouncedRemoved answers (the device is on E:)
    int times = 1;       // ticks in a row that do the same
};

// What the running program cannot show from outside: when nothing changed it looks at no
// drive, its searches after a change stop, and a removal is believed before the folder.
TEST(DeviceWatchTest, LooksOnlyAfterChanges)
{
    const int searches = 5;  // about five seconds of looking after a change
    const struct {
        const char* name;
        std::uint32_t atStart;
        std::vector<Step> steps;
    } scenarios[] = {
        {"drives as at the start: no search", C | D, {{Op::SearchDue, C | D, false, 3}}},
        {"a new letter: a search on each of the next ticks, then none", C,
         {{Op::SearchDue, C | E, true, searches}, {Op::SearchDue, C | E, false}}},
        {"a change during the searches starts them anew", C,
         {{Op::SearchDue, C | D, true, searches - 1}, {Op::SearchDue, C | D | E, true, searches},
          {Op::SearchDue, C | D | E, false}}},
        {"the device's volume announced removed", C | E,
         {{Op::Removed, D | E, false}, {Op::DeviceGone, 0, true}, {Op::DeviceGone, 0, false}}},
        {"another volume announced removed", C | D | E, {{Op::Removed, D, false}, {Op::DeviceGone, 0, false}}},
        {"the device's volume announced arriving", C | E, {{Op::Arrived, E, false}, {Op::DeviceGone, 0, false}}},
        {"after the device is lost the next search's drives are the ones to compare with", C,
         {{Op::Lost, 0, false}, {Op::SearchDue, C | E, true}, {Op::Found, 0, false}, {Op::Lost, 0, false},
          {Op::SearchDue, C, true}, {Op::Found, 0, false}, {Op::SearchDue, C, false}, {Op::SearchDue, C | D, true}}},
    };
    for (const auto& scenario : scenarios) {
        SCOPED_TRACE(scenario.name);
        DeviceWatch watch;
        watch.Start(scenario.atStart);
        for (size_t i = 0; i < scenario.steps.size(); ++i) {
            const Step& step = scenario.steps[i];
            for (int time = 1; time <= step.times; ++time) {
                switch (step.op) {
                case Op::SearchDue: EXPECT_EQ(step.expected, watch.SearchDue(step.mask)) << "step " << i << ", time " << time; break;
                case Op::DeviceGone: EXPECT_EQ(step.expected, watch.AnnouncedRemoved('E')) << "step " << i; break;
                case Op::Arrived: watch.Announce(step.mask, false); break;
                case Op::Removed: watch.Announce(step.mask, true); break;
                case Op::Lost: watch.DeviceLost(); break;
                case Op::Found: watch.DeviceFound(); break;
                }
            }
        }
    }
}

}  // namespace
