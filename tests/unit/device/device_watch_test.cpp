#include "device/DeviceWatch.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "device/DeviceFollower.h"

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

// A drive as the fake system answers for it.
struct FakeDrive {
    bool removable = true;
    bool print = true;        // a folder PRINT at its root
    const char* vin = nullptr;  // nullptr: no VIN file
};

class FakeDrives : public DriveQuestions {
public:
    std::map<char, FakeDrive> drives;

    std::uint32_t DriveMask() const override
    {
        std::uint32_t mask = 0;
        for (const auto& drive : drives) mask |= 1u << (drive.first - 'A');
        return mask;
    }
    std::vector<CString> DriveRoots() const override
    {
        std::vector<CString> roots;
        for (const auto& drive : drives) roots.push_back(CString(std::string(1, drive.first) + ":\\"));
        return roots;
    }
    bool IsRemovable(const CString& root) const override { return At(root).removable; }
    bool ListsReportFolder(const CString& drive) const override { return At(drive).print; }
    bool HasReportFolder(const CString& drive) const override { return At(drive).print; }
    bool ReadVin(const CString& drive, CString& vin) const override
    {
        if (!At(drive).vin) return false;
        vin = At(drive).vin;
        return true;
    }

private:
    // A letter no longer there answers as nothing.
    FakeDrive At(const CString& path) const
    {
        const auto drive = drives.find(path[0]);
        return drive == drives.end() ? FakeDrive{false, false, nullptr} : drive->second;
    }
};

// What the window does with the drives, tick by tick, written out: which drive it takes, when
// it lets it go, and which VIN it shows.
TEST(DeviceFollowerTest, FollowsTheDrives)
{
    using Change = DeviceFollower::Change;
    const FakeDrive fixed{false, true, "FIXED"}, noPrint{true, false, nullptr}, a{true, true, "VIN-A"},
        b{true, true, "VIN-B"}, c{true, true, "VIN-C"}, noVin{};
    enum class Op { Plug, Pull, Swap, Tick };  // Swap: other media in the same letter, announced
    struct Step {
        Op op;
        char letter;
        FakeDrive drive;
        Change change;  // what Tick answers
        const char* expectedDrive;
        const char* expectedVin;
        int times = 1;
    };
    const struct {
        const char* name;
        std::map<char, FakeDrive> atStart;
        const char* startDrive;
        std::vector<Step> steps;
    } scenarios[] = {
        {"the first removable drive with PRINT, in drive order", {{'C', fixed}, {'D', noPrint}, {'F', b}, {'E', a}}, "E:",
         {{Op::Tick, 0, {}, Change::None, "E:", "VIN-A", 3}}},
        {"the device in use stays while another comes; pulled out, the other is taken at once", {{'E', a}}, "E:",
         {{Op::Plug, 'F', b, Change::None, "E:", "VIN-A"}, {Op::Pull, 'E', {}, Change::Found, "F:", "VIN-B"}}},
        {"pulled out, then a device without a VIN file: no VIN, not the last one's", {{'E', a}}, "E:",
         {{Op::Pull, 'E', {}, Change::Lost, "", "VIN-A"}, {Op::Plug, 'G', noVin, Change::Found, "G:", ""}}},
        {"its PRINT folder gone, the drive staying: lost", {{'E', a}}, "E:",
         {{Op::Plug, 'E', noPrint, Change::Lost, "", "VIN-A"}, {Op::Tick, 0, {}, Change::None, "", "VIN-A", 6}}},
        {"another card in the same letter, announced: its VIN", {{'E', a}}, "E:",
         {{Op::Swap, 'E', c, Change::Found, "E:", "VIN-C"}}},
        {"five searches after a change: the fifth finds a folder written late", {{'C', fixed}}, "",
         {{Op::Plug, 'E', noPrint, Change::None, "", "", 4}, {Op::Plug, 'E', a, Change::Found, "E:", "VIN-A"}}},
        {"and a sixth does not", {{'C', fixed}}, "",
         {{Op::Plug, 'E', noPrint, Change::None, "", "", 5}, {Op::Plug, 'E', a, Change::None, "", "", 3}}},
    };
    for (const auto& scenario : scenarios) {
        SCOPED_TRACE(scenario.name);
        FakeDrives system;
        system.drives = scenario.atStart;
        DeviceFollower follower;
        EXPECT_EQ(*scenario.startDrive != 0, follower.Start(system));
        EXPECT_EQ(CString(scenario.startDrive), follower.Drive());
        for (size_t i = 0; i < scenario.steps.size(); ++i) {
            const Step& step = scenario.steps[i];
            if (step.op == Op::Plug || step.op == Op::Swap) system.drives[step.letter] = step.drive;
            if (step.op == Op::Pull) system.drives.erase(step.letter);
            if (step.op == Op::Swap) follower.Announce(1u << (step.letter - 'A'), true);
            for (int time = 1; time <= step.times; ++time) {
                EXPECT_EQ(step.change, follower.Tick(system)) << "step " << i << ", tick " << time;
                // Later ticks of a step change nothing more.
                if (step.change != Change::None && time == 1) break;
            }
            EXPECT_EQ(CString(step.expectedDrive), follower.Drive()) << "step " << i;
            EXPECT_EQ(CString(step.expectedVin), follower.Vin()) << "step " << i;
        }
    }
}

}  // namespace
