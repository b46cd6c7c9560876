// Times the real Mardello.exe under Wine against what the platform itself needs for the same
// result, and prints a table of the ratios:
//  - "Print All" on reports of growing size against one WM_SETTEXT of the same text into the
//    same viewer (goal: within 1.5x at every size, and a cost per line that does not grow);
//  - the start until the dialog shows the VIN, and until it is painted, against a minimal dialog
//    program showing Mardello's own window and controls with none of its code (goal: within
//    1.05x), and against one that holds one Rich Edit 2.0 control;
//  - the print preview of the largest report against Print's layout of it (goal: within 1.2x);
//  - following the device: idle CPU time and wake-ups against the minimal dialog's and the drive
//    checks' alone, and the time from the device's appearance to its VIN (bench/DeviceFollowTiming.h);
//  - Find Next in the largest report, the match near its end, until it is selected (goal: under 50 ms);
//  - the history window on 10,000 kept runs, right after start and later (goal: shown under
//    100 ms), and the time until the VIN shows with a 20 MB live-data report kept against the
//    same with keeping off (goal: 1.0x);
//  - on 10,000 kept runs, the filter's keystroke by trouble code (goal: under 200 ms) and
//    Compare until shown (bench/BeforeAfterTiming.h);
//  - keeping large runs: peak memory, and closing while a run is kept (bench/KeepingCost.h).
// Both sides of a ratio are measured in the same run, one after the other, so a busy machine
// slows both alike.
//
// report_bench.exe [--mardello PATH] [--minimal PATH] [--runs N] [--starts N] [--lines N,N,...]
//                  [--idle-seconds N] [--only printall|startup|device|find|preview|history|compare|keeping]
//                  [--before PATH]
// --before times another Mardello.exe's Print All in the same run, its table before this one's.
// Mardello.exe comes from --mardello or MARDELLO_EXE; the minimal dialog and the hook library
// (settext_hook.dll) from beside this program.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BeforeAfterTiming.h"
#include "bench/DeviceFollowTiming.h"
#include "bench/FindTiming.h"
#include "bench/HistoryTiming.h"
#include "bench/KeepingCost.h"
#include "bench/PrintAllTiming.h"
#include "bench/PreviewTiming.h"
#include "bench/Require.h"
#include "bench/SampleReports.h"
#include "bench/StartupTiming.h"
#include "bench/Stopwatch.h"
#include "bench/minimal_dialog.h"
#include "res/resource.h"
#include "tests/e2e/RunningProgram.h"
#include "tests/e2e/harness/Drives.h"
#include "tests/e2e/harness/ProcessProbe.h"
#include "tests/e2e/harness/ScratchFolder.h"
#include "tests/e2e/harness/WinePaths.h"

namespace bench {

namespace {

constexpr double kPrintAllGoal = 1.5;
constexpr double kStartupGoal = 1.05;
constexpr const char* kVin = "LSVAU2180N2183294";
constexpr const char* kInstallFolder = "C:\\mardello-bench";

struct Options {
    std::string mardello;
    std::string minimalDialog;
    std::string hookLibrary;
    std::string timingLibrary;
    std::string before;  // an earlier Mardello.exe whose Print All is timed beside
    std::string only;  // one benchmark: printall, startup, device, find, preview, history, compare or keeping
    int runs = 5;
    int starts = 15;
    std::vector<int> lineCounts = {1000, 10000, 40000};
    int idleSeconds = 60;
};

std::string BesideThisProgram(const char* name)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\') + 1) + name;
}

std::vector<int> ParseCounts(const std::string& list)
{
    std::vector<int> counts;
    for (size_t start = 0; start <= list.size();) {
        const size_t comma = list.find(',', start);
        const int count = std::atoi(list.substr(start, comma - start).c_str());
        Require(count >= 5, "line counts must be 5 or more: " + list);
        counts.push_back(count);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return counts;
}

Options ParseOptions(int argc, char** argv)
{
    Options options;
    options.mardello = e2e::PathFromEnvironment("MARDELLO_EXE");
    options.minimalDialog = BesideThisProgram("minimal_dialog.exe");
    options.hookLibrary = BesideThisProgram("settext_hook.dll");
    options.timingLibrary = BesideThisProgram("print_timing_hook.dll");
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        Require(i + 1 < argc, "usage: report_bench [--mardello PATH] [--minimal PATH] [--runs N] [--starts N] [--only NAME] "
                              "[--lines N,N,...] [--idle-seconds N]");
        const std::string value = argv[++i];
        if (name == "--mardello") options.mardello = e2e::DosPath(value);
        else if (name == "--minimal") options.minimalDialog = e2e::DosPath(value);
        else if (name == "--runs") options.runs = std::atoi(value.c_str());
        else if (name == "--starts") options.starts = std::atoi(value.c_str());
        else if (name == "--lines") options.lineCounts = ParseCounts(value);
        else if (name == "--only") options.only = value;
        else if (name == "--before") options.before = e2e::DosPath(value);
        else if (name == "--idle-seconds") options.idleSeconds = std::atoi(value.c_str());
        else Require(false, "unknown option " + name);
    }
    Require(!options.mardello.empty(), "give Mardello.exe with --mardello or MARDELLO_EXE");
    Require(options.runs > 0 && options.starts > 0, "--runs and --starts must be at least 1");
    Require(options.idleSeconds > 0, "--idle-seconds must be at least 1");
    return options;
}

// Everything the runs start or load lives on C:, as for a user, whatever the other drive letters are.
std::string Install(const std::string& built, const char* name)
{
    CreateDirectoryA(kInstallFolder, nullptr);
    const std::string installed = std::string(kInstallFolder) + "\\" + name;
    Require(CopyFileA(built.c_str(), installed.c_str(), FALSE) != 0, "cannot copy " + built + " to " + installed);
    return installed;
}

void WriteReports(const e2e::ScratchFolder& device, int lines)
{
    const SampleReports reports = MakeSampleReports(lines);
    Require(device.WriteFile("PRINT\\DTC.DAT", reports.troubleCodes), "DTC.DAT");
    Require(device.WriteFile("PRINT\\CDS.DAT", reports.liveData), "CDS.DAT");
    Require(device.WriteFile("PRINT\\FROZEN.DAT", reports.freezeFrame), "FROZEN.DAT");
}

const char* Verdict(bool met) { return met ? "met" : "NOT met"; }

void BenchPrintAll(const Options& options, const std::string& mardello, const std::string& hookLibrary,
                   const e2e::ScratchFolder& device, const char* label = "")
{
    if (*label) std::printf("%s\n", label);
    std::printf("Print All against one WM_SETTEXT of the same text into the same viewer, median of %d runs\n"
                "(N report lines in total: DTC.DAT and FROZEN.DAT a fifth each, CDS.DAT the rest; each\n"
                "Print All and each WM_SETTEXT in a newly started Mardello.exe, into its empty viewer;\n"
                "WM_SETTEXT sent inside Mardello's process by a hook, as Print All's update is)\n\n",
                options.runs);
    std::printf("                   until the handler returned     until its queue was handled and painted  "
                "per line\n");
    std::printf("      N    bytes  Print All  WM_SETTEXT  ratio     Print All  WM_SETTEXT  ratio  "
                "Print All  WM_SETTEXT\n");
    std::fflush(stdout);

    double worstRatio = 0;
    double firstPerLine = 0;
    double lastPerLine = 0;
    double firstFloorPerLine = 0;
    double lastFloorPerLine = 0;
    for (int lines : options.lineCounts) {
        WriteReports(device, lines);
        const size_t breaks = static_cast<size_t>(lines) + 2;  // between the lines, and a separator after each file
        std::vector<double> printAll, setText, printAllSettled, setTextSettled;
        size_t bytes = 0;
        for (int run = 0; run < options.runs; ++run) {
            const PrintAllRun timed = RunPrintAll(mardello, kInstallFolder, kVin, hookLibrary, breaks);
            printAll.push_back(timed.printAll.handledMs);
            setText.push_back(timed.setText.handledMs);
            printAllSettled.push_back(timed.printAll.settledMs);
            setTextSettled.push_back(timed.setText.settledMs);
            bytes = timed.viewerBytes;
        }
        const double ratio = Median(printAll) / Median(setText);
        const double settledRatio = Median(printAllSettled) / Median(setTextSettled);
        const double perLineUs = 1000 * Median(printAll) / lines;
        const double floorPerLineUs = 1000 * Median(setText) / lines;
        worstRatio = std::max({worstRatio, ratio, settledRatio});
        if (firstPerLine == 0) {
            firstPerLine = perLineUs;
            firstFloorPerLine = floorPerLineUs;
        }
        lastPerLine = perLineUs;
        lastFloorPerLine = floorPerLineUs;
        std::printf("%7d %8zu %8.0f ms %8.0f ms  %5.2fx   %8.0f ms %8.0f ms  %5.2fx  %6.0f us  %6.0f us\n", lines,
                    bytes, Median(printAll), Median(setText), ratio, Median(printAllSettled), Median(setTextSettled),
                    settledRatio, perLineUs, floorPerLineUs);
        std::fflush(stdout);
    }
    std::printf("\nGoal, Print All within %.1fx of WM_SETTEXT at every size: %s (highest ratio %.2fx)\n", kPrintAllGoal,
                Verdict(worstRatio <= kPrintAllGoal), worstRatio);
    std::printf("Growth, cost per line at %d lines against %d lines (1.00 is linear): Print All %.2fx, "
                "WM_SETTEXT %.2fx\n\n",
                options.lineCounts.back(), options.lineCounts.front(), lastPerLine / firstPerLine,
                lastFloorPerLine / firstFloorPerLine);
    std::fflush(stdout);
}

void BenchStartup(const Options& options, const std::string& mardello, const std::string& minimalDialog)
{
    std::printf("Start until the dialog shows the VIN, median of %d starts each, taken in turns, each program\n"
                "first, second and third in as many turns (one start of each first that is not counted):\n"
                "until the VIN box answers with it, and until the whole window is painted as well\n\n",
                options.starts);
    std::fflush(stdout);
    auto timeMardello = [&] { return TimeUntilShown(mardello, kInstallFolder, IDC_EDIT_VIN, kVin); };
    auto timeMinimal = [&] {
        return TimeUntilShown(minimalDialog, kInstallFolder, IDC_MINIMAL_TEXT, kMinimalDialogText);
    };
    // Mardello's own window with none of its code: the part of the start its controls take.
    auto timeItsControls = [&] {
        return TimeUntilShown(minimalDialog, kInstallFolder, IDC_MINIMAL_TEXT, kMinimalDialogText, mardello);
    };
    timeMardello();
    timeMinimal();
    timeItsControls();
    // A start right after another program was ended is not as fast as one in a quiet moment, and
    // how much depends on the one before: the order of the three changes from turn to turn.
    std::vector<StartTimes> mardelloTimes, minimalTimes, itsControlsTimes;
    for (int start = 0; start < options.starts; ++start)
        for (int place = 0; place < 3; ++place) switch ((start + place) % 3) {
            case 0: mardelloTimes.push_back(timeMardello()); break;
            case 1: minimalTimes.push_back(timeMinimal()); break;
            default: itsControlsTimes.push_back(timeItsControls()); break;
            }
    struct Medians {
        double answering, painted;
    };
    auto medians = [](const std::vector<StartTimes>& times) {
        std::vector<double> answering, painted;
        for (const StartTimes& t : times) answering.push_back(t.answeringMs), painted.push_back(t.paintedMs);
        return Medians{Median(answering), Median(painted)};
    };
    const Medians ofMardello = medians(mardelloTimes), ofMinimal = medians(minimalTimes),
                  ofItsWindow = medians(itsControlsTimes);
    std::printf("                    answering     painted\n");
    std::printf("  Mardello.exe      %7.1f ms  %7.1f ms\n", ofMardello.answering, ofMardello.painted);
    std::printf("  minimal dialog    %7.1f ms  %7.1f ms\n", ofMinimal.answering, ofMinimal.painted);
    std::printf("  ratio             %7.2fx    %7.2fx\n", ofMardello.answering / ofMinimal.answering,
                ofMardello.painted / ofMinimal.painted);
    // The goal is set against Mardello's own window: its controls cost Wine the same whoever owns them.
    const double answering = ofMardello.answering / ofItsWindow.answering;
    const double painted = ofMardello.painted / ofItsWindow.painted;
    std::printf("  the minimal dialog showing Mardello's window and its controls, none of its code:\n"
                "                    %7.1f ms  %7.1f ms\n"
                "    of the minimal  %7.2fx    %7.2fx\n"
                "    Mardello of it  %7.2fx    %7.2fx     goal within %.2fx, both: %s\n",
                ofItsWindow.answering, ofItsWindow.painted, ofItsWindow.answering / ofMinimal.answering,
                ofItsWindow.painted / ofMinimal.painted, answering, painted, kStartupGoal,
                Verdict(answering <= kStartupGoal && painted <= kStartupGoal));
    std::fflush(stdout);
}

// The history the benchmark finds is put aside while it runs, in which its parts keep, fill and
// empty their own, and is given back as it was however the run ends.
class HistoryPutAside {
public:
    HistoryPutAside() : m_history(e2e::HistoryFolder()), m_aside(m_history + " before the benchmark")
    {
        Require(!m_history.empty(), "the system names no Documents folder");
        // A run that was stopped left the history aside, and its own in its place.
        if (GetFileAttributesA(m_aside.c_str()) != INVALID_FILE_ATTRIBUTES) {
            e2e::RemoveTree(m_history);
            m_putAside = true;
        } else {
            m_putAside = MoveFileA(m_history.c_str(), m_aside.c_str()) != 0;
        }
    }
    ~HistoryPutAside()
    {
        e2e::RemoveTree(m_history);
        if (m_putAside && !MoveFileA(m_aside.c_str(), m_history.c_str()))
            std::fprintf(stderr, "report_bench: the history is left in %s\n", m_aside.c_str());
    }
    HistoryPutAside(const HistoryPutAside&) = delete;
    HistoryPutAside& operator=(const HistoryPutAside&) = delete;

private:
    std::string m_history, m_aside;
    bool m_putAside = false;
};

}  // namespace

}  // namespace bench

int main(int argc, char** argv)
{
    using namespace bench;
    try {
        const Options options = ParseOptions(argc, argv);
        const HistoryPutAside history;
        const std::string mardello = Install(options.mardello, "Mardello.exe");
        const std::string minimalDialog = Install(options.minimalDialog, "minimal_dialog.exe");
        const std::string hookLibrary = Install(options.hookLibrary, "settext_hook.dll");

        // The device: a removable drive E: whose PRINT folder holds the VIN and the reports.
        e2e::ScratchFolder device;
        Require(device.WriteFile("PRINT\\VIN.DAT", std::string(kVin) + "\r\n"), "VIN.DAT");
        e2e::DriveTable drives;
        Require(drives.Define('E', e2e::DriveKind::Removable, device.UnixPath()), "plug the device in as E:");

        const std::string timingLibrary = Install(options.timingLibrary, "print_timing_hook.dll");
        const std::string before = options.before.empty() ? "" : Install(options.before, "MardelloBefore.exe");
        if (!before.empty() && (options.only.empty() || options.only == "printall"))
            BenchPrintAll(options, before, hookLibrary, device, "Before:");
        if (options.only.empty() || options.only == "printall")
            BenchPrintAll(options, mardello, hookLibrary, device, options.before.empty() ? "" : "After:");
        if (options.only.empty() || options.only == "startup") BenchStartup(options, mardello, minimalDialog);
        if (options.only.empty() || options.only == "device")
            BenchDeviceFollow({mardello, minimalDialog, before, kInstallFolder, drives,
                               'E', device.UnixPath(), kVin, options.idleSeconds, 10});
        if (options.only.empty() || options.only == "find")
            BenchFindNext(options.lineCounts.back(), options.runs, mardello, kInstallFolder, device);
        if (options.only.empty() || options.only == "history") {
            e2e::ScratchFolder largeDevice;
            const std::string liveData = MakeSampleReports(10000).liveData;
            std::string twentyMegabytes;
            while (twentyMegabytes.size() < 20u * 1024 * 1024) twentyMegabytes += liveData;
            Require(largeDevice.WriteFile("PRINT\\VIN.DAT", std::string(kVin) + "\r\n") &&
                        largeDevice.WriteFile("PRINT\\CDS.DAT", twentyMegabytes),
                    "the device with 20 MB of live data");
            // Only the large device is plugged in meanwhile.
            Require(drives.Remove('E'), "take the usual device away");
            BenchHistory({mardello, kInstallFolder, drives, 'F', largeDevice.UnixPath(), kVin, options.runs});
            // A letter left over a folder that is gone would hide the next device plugged in as it:
            // under Wine a letter whose folder changes is no change to the drive list.
            Require(drives.Remove('F'), "take the large device away");
            Require(drives.Define('E', e2e::DriveKind::Removable, device.UnixPath()), "plug the usual device in again");
        }
        if (options.only.empty() || options.only == "compare") {
            Require(drives.Remove('E'), "take the device away");
            BenchBeforeAfter(mardello, kInstallFolder, e2e::InstalledProbeLibrary(kInstallFolder), options.runs);
            Require(drives.Define('E', e2e::DriveKind::Removable, device.UnixPath()), "plug the device in again");
        }
        if (options.only.empty() || options.only == "keeping") {
            Require(drives.Remove('E'), "take the usual device away");
            BenchKeeping({mardello, e2e::InstalledProbeLibrary(kInstallFolder), kInstallFolder, drives, 'F', kVin});
            Require(drives.Define('E', e2e::DriveKind::Removable, device.UnixPath()), "plug the usual device in again");
        }
        if (options.only.empty() || options.only == "preview") {
            WriteReports(device, options.lineCounts.back());
            PrintPreviewTable(RunPreviewAgainstPrint(mardello, kInstallFolder, kVin, timingLibrary, options.runs),
                              options.lineCounts.back());
        }
        return 0;
    } catch (const BenchFailure& failure) {
        std::fprintf(stderr, "report_bench: %s\n", failure.what());
        return 1;
    }
}
