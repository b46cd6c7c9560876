#pragma once
// What keeping large runs costs: the program's peak memory while it keeps two 200 MB reports,
// against its peak before the device came; and the time from closing to the process's end while
// a run is being kept, for a 200 MB run and for one too large to finish in the time closing
// waits. Each says what the history holds afterwards. Run it against an older Mardello.exe
// (--mardello) for the figures before a change.
#include <string>

#include "tests/e2e/harness/Drives.h"

namespace bench {

struct KeepingSetup {
    std::string mardello;
    std::string probeLibrary;  // the harness's probe, installed beside Mardello.exe
    std::string workingDirectory;
    e2e::DriveTable& drives;  // where each device is plugged in as `letter`
    char letter;
    std::string vin;
};

void BenchKeeping(const KeepingSetup& setup);

}  // namespace bench
