#include "reports/ReportSource.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/unit/test_support.h"

namespace {

// Each row plays its events in order: "E:" a device found on E: with the VIN "DEVICEVIN", "-"
// the device lost while the VIN box shows "TYPED", "K" the kept run "D:\Kept\VIN\run" of
// 2026-12-08 21:46:13 with the VIN "KEPTVIN" shown, "C" that run compared with the one of
// 2026-12-01 08:00:00, "G" the kept run gone, "R" a view command's reports shown, "V" a view
// shown, "N" a view shown that replaced typed notes, "S" a note said, "s" an empty one. `vin`:
// the new VIN to take, "none" when there is none.
TEST(ReportSourceTest, FolderVinAndStatusFollowTheLastEvents)
{
    const char* const kKept = "D:\\Kept\\VIN\\run";
    const std::string kKeptStatus = "Kept run of 2026-12-08 21:46:13";
    const std::string kCompared = "Compared: 2026-12-01 08:00 and 2026-12-08 21:46";
    const std::string kNotes = "  Ctrl+Z brings back your notes";
    struct Row {
        std::string events;
        std::string folder, vin, status;
    };
    const Row rows[] = {
        {"", "\\PRINT", "none", kStatusChecking},
        {"E:", "E:\\PRINT", "DEVICEVIN", kStatusReady},
        {"E: -", "\\PRINT", "TYPED", kStatusChecking},
        {"E: - F:", "F:\\PRINT", "DEVICEVIN", kStatusReady},
        {"K", kKept, "KEPTVIN", kKeptStatus},
        {"E: K", kKept, "KEPTVIN", kKeptStatus},
        {"E: K -", kKept, "TYPED", kKeptStatus},
        {"E: K - F:", "F:\\PRINT", "DEVICEVIN", kStatusReady},
        {"K E: -", "\\PRINT", "TYPED", kStatusChecking},
        {"E: K G", "E:\\PRINT", "DEVICEVIN", kStatusReady},
        {"E: K - G", "\\PRINT", "", kStatusChecking},
        {"E: C -", kKept, "TYPED", kCompared},
        {"C K", kKept, "KEPTVIN", kKeptStatus},
        {"C F:", "F:\\PRINT", "DEVICEVIN", kStatusReady},
        {"E: C R", kKept, "KEPTVIN", kKeptStatus},
        {"E: R", "E:\\PRINT", "DEVICEVIN", kStatusReady},
        {"E: R N", "E:\\PRINT", "DEVICEVIN", kStatusReady + kNotes},
        {"C N", kKept, "KEPTVIN", kCompared + kNotes},
        {"K R N", kKept, "KEPTVIN", kKeptStatus + kNotes},
        {"E: N V", "E:\\PRINT", "DEVICEVIN", kStatusReady},
        {"E: N K", kKept, "KEPTVIN", kKeptStatus},
        {"E: N S", "E:\\PRINT", "DEVICEVIN", "Not saved"},
        {"E: N s", "E:\\PRINT", "DEVICEVIN", kStatusReady},
        {"E: S N", "E:\\PRINT", "DEVICEVIN", kStatusReady + kNotes},
        {"E: S -", "\\PRINT", "TYPED", kStatusChecking},
        {"E: U", "E:\\PRINT", "DEVICEVIN", kStatusReady},
        {"E: U N", "E:\\PRINT", "DEVICEVIN", "Unanswered"},
        {"E: U V V", "E:\\PRINT", "DEVICEVIN", kStatusReady},
    };
    for (const Row& row : rows) {
        ReportSource source;
        std::istringstream events(row.events);
        for (std::string event; events >> event;) {
            if (event == "-") source.DeviceLost("TYPED");
            else if (event == "R") source.ReportsShown();
            else if (event == "V" || event == "N") source.ViewShown(event == "N");
            else if (event == "S" || event == "s") source.Say(event == "S" ? "Not saved" : "");
            else if (event == "G") source.KeptRunGone();
            else if (event == "U") source.SayWithView("Unanswered");
            else if (event == "K") source.KeptRunShown(kKept, "2026-12-08 21:46:13", "KEPTVIN");
            else if (event == "C") source.KeptRunShown(kKept, "2026-12-08 21:46:13", "KEPTVIN", "2026-12-01 08:00:00");
            else source.DeviceFound(CString(event), "DEVICEVIN");
        }
        CString vin("none");
        source.TakeNewVin(vin);
        EXPECT_EQ(CString(row.vin), vin) << "events: " << row.events;
        EXPECT_FALSE(source.TakeNewVin(vin)) << "taken twice; events: " << row.events;
        EXPECT_EQ(CString(row.folder), source.Folder()) << "events: " << row.events;
        EXPECT_EQ(CString(row.status), source.Status()) << "events: " << row.events;
    }
}

// A note names the history folder for a kept run's reports, wherever that folder is.
TEST(ReportSourceTest, FolderToNameIsTheHistoryFolderOfAKeptRun)
{
    const char* const rows[][2] = {
        {"S:\\Mardello\\VIN\\2026-12-08 21.46.13", "S:\\Mardello"},
        {"\\\\office\\workshop\\VIN\\run", "\\\\office\\workshop"},
        {"S:\\VIN\\run", "S:"},
        {"", "E:\\PRINT"},
    };
    for (const auto& row : rows) {
        ReportSource source;
        source.DeviceFound("E:", "DEVICEVIN");
        if (*row[0]) source.KeptRunShown(row[0], "2026-12-08 21:46:13", "KEPTVIN");
        EXPECT_EQ(CString(row[1]), source.FolderToName()) << row[0];
    }
}

}  // namespace
