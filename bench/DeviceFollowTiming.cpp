#include "bench/DeviceFollowTiming.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/Require.h"
#include "bench/Stopwatch.h"
#include "bench/minimal_dialog.h"
#include "res/resource.h"
#include "tests/e2e/harness/Controls.h"
#include "tests/e2e/harness/ProcessProbe.h"
#include "tests/e2e/harness/Program.h"
#include "tests/e2e/harness/TopLevelWindows.h"
#include "tests/e2e/harness/Wait.h"

namespace bench {

namespace {

constexpr DWORD kStartTimeoutMs = 60000;

HWND StartAndWaitFor(e2e::Program& program, const std::string& exe, const std::string& workingDirectory, int editId,
                     const std::string& text)
{
    Require(program.Start(exe, workingDirectory), "start " + exe);
    HWND dialog = nullptr;
    Require(e2e::WaitUntil(
                [&] {
                    dialog = e2e::FindVisibleWindow(program.Id(), e2e::kDialogClass);
                    return dialog && e2e::ControlText(dialog, editId) == text;
                },
                kStartTimeoutMs),
            exe + " did not show \"" + text + "\"");
    return dialog;
}

// This process's CPU time, user and kernel, in milliseconds.
double OwnCpuMs()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ms = [](FILETIME time) { return (static_cast<double>(time.dwHighDateTime) * 4294967296.0 + time.dwLowDateTime) / 1e4; };
    return ms(kernel) + ms(user);
}

// What the drive checks that following the device needs cost when made alone: the drive
// mask once a tick, a second apart. Many calls, as the clock counts in steps of 10 ms.
double DriveChecksMsPerMinute()
{
    constexpr int kCalls = 3000;
    const double before = OwnCpuMs();
    for (int call = 0; call < kCalls; ++call) GetLogicalDrives();
    return (OwnCpuMs() - before) / kCalls * 60;
}

}  // namespace

double IdleCpuMs(const std::string& exe, const std::string& workingDirectory, int editId, const std::string& text,
                 const std::string& probeLibrary, int seconds)
{
    e2e::Program program;
    const HWND dialog = StartAndWaitFor(program, exe, workingDirectory, editId, text);
    const e2e::ProcessProbe probe(dialog, probeLibrary);
    Require(probe.Ready(), "probe " + exe);
    // What follows the start (keeping the device's run, reading the history ahead) is not idle:
    // the idle time begins once two seconds pass without the CPU time growing by more than a
    // tick's worth, or after half a minute.
    auto before = probe.Ask(e2e::ProbeQuestion::CpuMilliseconds);
    for (int wait = 0; wait < 15 && before; ++wait) {
        Sleep(2000);
        const auto now = probe.Ask(e2e::ProbeQuestion::CpuMilliseconds);
        const bool settled = now && *now - *before <= 10;
        before = now;
        if (settled) break;
    }
    // Idle means nobody asks the program anything: this thread only sleeps meanwhile.
    Sleep(static_cast<DWORD>(seconds) * 1000);
    const auto after = probe.Ask(e2e::ProbeQuestion::CpuMilliseconds);
    Require(before && after && *after >= *before, "cannot read the CPU time of " + exe);
    // Starting took CPU time: a reading of zero would mean the time is not measured at all.
    Require(*before > 0, "the CPU time of " + exe + " reads as zero");
    program.Kill();
    return static_cast<double>(*after - *before);
}

std::vector<double> TimesUntilVinShown(const std::string& mardello, const std::string& workingDirectory,
                                       e2e::DriveTable& drives, char letter, const std::string& unixFolder,
                                       const std::string& vin, int runs)
{
    Require(drives.Remove(letter), "take the device away");
    e2e::Program program;
    const HWND dialog = StartAndWaitFor(program, mardello, workingDirectory, IDC_STATIC_STATUS, "Checking Device...");
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        // The program looks at the drives once a second, and it let the last device go at one
        // of those looks: plugging in at once would always wait almost a whole second. The
        // runs plug in at times spread evenly over that second, as a user's hand would.
        Sleep(static_cast<DWORD>(run * 1000 / runs));
        Stopwatch clock;
        Require(drives.Define(letter, e2e::DriveKind::Removable, unixFolder), "plug the device in");
        // Looked at every millisecond, as the start-up benchmark looks for the VIN.
        while (e2e::ControlText(dialog, IDC_EDIT_VIN) != vin) {
            Require(clock.ElapsedMs() < kStartTimeoutMs, "the VIN did not show");
            Sleep(1);
        }
        times.push_back(clock.ElapsedMs());
        Require(drives.Remove(letter), "pull the device out");
        Require(e2e::WaitUntil([&] { return e2e::ControlText(dialog, IDC_STATIC_STATUS) == "Checking Device..."; }),
                "the program did not let the device go");
        // The VIN box keeps the VIN of a device pulled out; emptied, it tells when the next shows.
        SendMessageA(GetDlgItem(dialog, IDC_EDIT_VIN), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    }
    program.Kill();
    Require(drives.Define(letter, e2e::DriveKind::Removable, unixFolder), "plug the device back in");
    return times;
}

void BenchDeviceFollow(const DeviceFollowSetup& setup)
{
    constexpr double kIdleAllowanceMsPerMinute = 5;
    constexpr double kArrivalGoalMs = 1500;
    std::printf("\nIdle CPU time over %d s (user and kernel, read inside each program)\n\n", setup.idleSeconds);
    std::fflush(stdout);
    const double perMinute = 60.0 / setup.idleSeconds;
    const double withDevice = IdleCpuMs(setup.mardello, setup.workingDirectory, IDC_EDIT_VIN, setup.vin,
                                        setup.probeLibrary, setup.idleSeconds) * perMinute;
    const double minimal = IdleCpuMs(setup.minimalDialog, setup.workingDirectory, IDC_MINIMAL_TEXT, kMinimalDialogText,
                                     setup.probeLibrary, setup.idleSeconds) * perMinute;
    Require(setup.drives.Remove(setup.letter), "take the device away");
    const double noDevice = IdleCpuMs(setup.mardello, setup.workingDirectory, IDC_STATIC_STATUS, "Checking Device...",
                                      setup.probeLibrary, setup.idleSeconds) * perMinute;
    Require(setup.drives.Define(setup.letter, e2e::DriveKind::Removable, setup.deviceUnix), "plug the device back in");
    std::printf("  Mardello.exe, no device     %6.1f ms per minute\n", noDevice);
    std::printf("  Mardello.exe, with device   %6.1f ms per minute\n", withDevice);
    std::printf("  minimal dialog              %6.1f ms per minute\n", minimal);
    const double driveChecks = DriveChecksMsPerMinute();
    const double goal = minimal + driveChecks + kIdleAllowanceMsPerMinute;
    std::printf("  drive checks alone          %6.1f ms per minute (the drive mask once a second)\n", driveChecks);
    std::printf("  goal at most the minimal dialog's + the drive checks + %.0f = %.1f ms per minute in both cases: %s\n"
                "  (each reading counts in steps of %.0f ms per minute)\n\n",
                kIdleAllowanceMsPerMinute, goal, noDevice <= goal && withDevice <= goal ? "met" : "NOT met",
                10 * perMinute);
    std::fflush(stdout);

    const std::vector<double> arrivals = TimesUntilVinShown(setup.mardello, setup.workingDirectory, setup.drives,
                                                            setup.letter, setup.deviceUnix, setup.vin, setup.runs);
    std::vector<double> sorted = arrivals;
    std::sort(sorted.begin(), sorted.end());
    std::printf("Device plugged in while Mardello runs, until the VIN shows, median of %d\n\n", setup.runs);
    std::printf("  median %6.0f ms   (fastest %.0f ms, slowest %.0f ms)\n", Median(arrivals), sorted.front(),
                sorted.back());
    std::printf("  goal under %.0f ms: %s\n", kArrivalGoalMs, Median(arrivals) < kArrivalGoalMs ? "met" : "NOT met");
    std::fflush(stdout);
}

}  // namespace bench
