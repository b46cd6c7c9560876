#include "reports/ReportSource.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/unit/test_support.h"

namespace {

// Each row plays its events in order: "E:" a device found on E:, "-" the device lost, and
// "K" the kept run "D:\Kept\VIN\run" of 2026-12-08 21:46:13 shown, "C" that run compared with
// the one of 2026-12-01 08:00:00, "R" a view command's reports shown. "N": the view shown
// replaced typed notes.
TEST(ReportSourceTest, FolderAndStatusFollowTheLastEvents)
{
    const char* const kKept = "D:\\Kept\\VIN\\run";
    const std::string kKeptStatus = "Kept run of 2026-12-08 21:46:13";
    struct Row {
        std::string events;
        std::string folder, status;
    };
    const Row rows[] = {
        {"", "\\PRINT", kStatusChecking},
        {"E:", "E:\\PRINT", kStatusReady},
        {"E: -", "\\PRINT", kStatusChecking},
        {"E: - F:", "F:\\PRINT", kStatusReady},
        {"K", kKept, kKeptStatus},
        {"E: K", kKept, kKeptStatus},
        {"E: K -", kKept, kKeptStatus},
        {"E: K - F:", "F:\\PRINT", kStatusReady},
        {"K E: -", "\\PRINT", kStatusChecking},
        {"E: C -", kKept, "Compared: 2026-12-01 08:00 and 2026-12-08 21:46"},
        {"C K", kKept, kKeptStatus},
        {"C F:", "F:\\PRINT", kStatusReady},
        {"E: C R", kKept, kKeptStatus},
        {"E: R", "E:\\PRINT", kStatusReady},
        {"E: R N", "E:\\PRINT", "Ready To Print...  Ctrl+Z brings back your notes"},
        {"C N", kKept, "Compared: 2026-12-01 08:00 and 2026-12-08 21:46  Ctrl+Z brings back your notes"},
        {"K R N", kKept, kKeptStatus + "  Ctrl+Z brings back your notes"},
    };
    for (const Row& row : rows) {
        ReportSource source;
        bool notesReplaced = false;
        std::istringstream events(row.events);
        for (std::string event; events >> event;) {
            if (event == "-") source.DeviceLost();
            else if (event == "R") source.ReportsShown();
            else if (event == "N") notesReplaced = true;
            else if (event == "K") source.KeptRunShown(kKept, "2026-12-08 21:46:13");
            else if (event == "C") source.KeptRunShown(kKept, "2026-12-08 21:46:13", "2026-12-01 08:00:00");
            else source.DeviceFound(CString(event));
        }
        EXPECT_EQ(CString(row.folder), source.Folder()) << "events: " << row.events;
        EXPECT_EQ(CString(row.status), source.Status(notesReplaced)) << "events: " << row.events;
    }
}

}  // namespace
