#pragma once
// What following the device costs: the CPU time a program and the Wine server take while the
// program sits idle, and its wake-ups, read from the host's scheduler (bench/UnixCpu.h), and how
// long after the device's drive appears the VIN box shows its VIN.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/harness/Drives.h"

namespace bench {

// What a program costs a minute while it sits idle.
struct IdleCost {
    double programMs = 0;  // its own threads' run time
    double serverMs = 0;   // the Wine server's over the same time, which its messages and timers cost
    double wakeUps = 0;    // times one of its threads was put on a CPU
};

// Starts `exe` with `arguments` in `workingDirectory`, waits until its visible dialog shows
// `text` in control `editId` and what follows its start has settled, then measures `seconds`
// seconds of doing nothing.
IdleCost IdleCostPerMinute(const std::string& exe, const std::string& arguments, const std::string& workingDirectory,
                           int editId, const std::string& text, int seconds);

// Milliseconds from the drive's appearance (`letter`, a removable drive over `unixFolder`) until
// `mardello`, started before without it, shows `vin`; the drive is taken away again before the
// next run, and the program waits for it with "Checking Device...". One value per run.
std::vector<double> TimesUntilVinShown(const std::string& mardello, const std::string& workingDirectory,
                                       e2e::DriveTable& drives, char letter, const std::string& unixFolder,
                                       const std::string& vin, int runs);

struct DeviceFollowSetup {
    std::string mardello;
    std::string minimalDialog;
    std::string before;  // an earlier Mardello.exe measured beside, or empty
    std::string workingDirectory;
    e2e::DriveTable& drives;  // where the device is plugged in as `letter`
    char letter;
    std::string deviceUnix;
    std::string vin;
    int idleSeconds;
    int runs;
};

// Prints the idle cost of Mardello with and without the device next to the minimal dialog's and
// the drive checks' alone (the minimal dialog making them), and the median time from the device's appearance to its VIN.
void BenchDeviceFollow(const DeviceFollowSetup& setup);

}  // namespace bench
