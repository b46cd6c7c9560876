#pragma once
// What following the device costs: the CPU time a program takes while it sits idle, read inside
// it (Wine gives another process's times as zero), and how long after the device's drive
// appears the VIN box shows its VIN.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/harness/Drives.h"

namespace bench {

// Starts `exe` in `workingDirectory`, waits until its visible dialog shows `text` in control
// `editId`, then measures the CPU time it takes over `seconds` seconds of doing nothing, in
// milliseconds; `probeLibrary` is the hook library that reads it inside the program.
double IdleCpuMs(const std::string& exe, const std::string& workingDirectory, int editId, const std::string& text,
                 const std::string& probeLibrary, int seconds);

// Milliseconds from the drive's appearance (`letter`, a removable drive over `unixFolder`) until
// `mardello`, started before without it, shows `vin`; the drive is taken away again before the
// next run, and the program waits for it with "Checking Device...". One value per run.
std::vector<double> TimesUntilVinShown(const std::string& mardello, const std::string& workingDirectory,
                                       e2e::DriveTable& drives, char letter, const std::string& unixFolder,
                                       const std::string& vin, int runs);

struct DeviceFollowSetup {
    std::string mardello;
    std::string minimalDialog;
    std::string probeLibrary;
    std::string workingDirectory;
    e2e::DriveTable& drives;  // where the device is plugged in as `letter`
    char letter;
    std::string deviceUnix;
    std::string vin;
    int idleSeconds;
    int runs;
};

// Prints the idle cost of Mardello with and without the device next to the minimal dialog's,
// and the median time from the device's appearance to its VIN.
void BenchDeviceFollow(const DeviceFollowSetup& setup);

}  // namespace bench
