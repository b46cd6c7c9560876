#pragma once
// What the history costs: opening its window on 10,000 kept runs, against the about box opened
// the same way; and the time from the device's appearance to its VIN with a 20 MB live-data
// report kept, against the same with keeping turned off.
#include <string>

#include "tests/e2e/harness/Drives.h"

namespace bench {

struct HistorySetup {
    std::string mardello;
    std::string workingDirectory;
    e2e::DriveTable& drives;  // where the device is plugged in as `letter`
    char letter;
    std::string deviceUnix;   // a device whose CDS.DAT is large
    std::string vin;
    int runs;
};

void BenchHistory(const HistorySetup& setup);

}  // namespace bench
