#include "bench/HistoryTiming.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "bench/DeviceFollowTiming.h"
#include "bench/KeptHistory.h"
#include "bench/Require.h"
#include "bench/Stopwatch.h"
#include "res/resource.h"
#include "tests/e2e/RunningProgram.h"
#include "tests/e2e/harness/WinePaths.h"

namespace bench {

namespace {

constexpr int kVins = 1000;
constexpr int kRunsPerVin = 10;
constexpr double kOpenGoalMs = 100;

// Every run with the same trouble code.
std::string OneMisfire(int) { return "P0301\tMisfire\r\n"; }

HWND StartWithoutDevice(e2e::Program& program, const HistorySetup& setup)
{
    Require(setup.drives.Remove(setup.letter), "take the device away");
    Require(program.Start(setup.mardello, setup.workingDirectory), "start Mardello");
    const HWND dialog = e2e::WaitForVisibleWindow(program.Id(), e2e::kDialogClass);
    Require(dialog && e2e::WaitUntil([&] { return e2e::ControlText(dialog, IDC_STATIC_STATUS) == "Checking Device..."; }),
            "Mardello did not start");
    return dialog;
}

struct Opening {
    double shownMs;   // until the window is shown
    double listedMs;  // until, for the history, it lists every run
};

// From the command until its window is shown and, for the history, lists every run.
Opening TimeUntilOpen(e2e::Program& program, HWND dialog, UINT message, WPARAM command, bool history)
{
    Stopwatch clock;
    PostMessageA(dialog, message, command, 0);
    HWND window = nullptr;
    double shownMs = 0;
    for (;;) {
        if (!window) {
            window = e2e::FindVisibleWindow(program.Id(), e2e::kDialogClass, dialog);
            if (window) shownMs = clock.ElapsedMs();
        }
        if (window && (!history || SendMessageA(GetDlgItem(window, IDC_HISTORY_LIST), LVM_GETITEMCOUNT, 0, 0) ==
                                       kVins * kRunsPerVin))
            break;
        Require(clock.ElapsedMs() < 30000, "the window did not open");
        Sleep(1);
    }
    const double listedMs = clock.ElapsedMs();
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    Require(e2e::WaitUntil([&] { return !IsWindow(window); }), "the window did not close");
    return {shownMs, listedMs};
}

// The history window opened as soon as the main window shows, before any read-ahead is done.
Opening OpenRightAfterStart(const HistorySetup& setup)
{
    e2e::Program program;
    Require(program.Start(setup.mardello, setup.workingDirectory), "start Mardello");
    HWND dialog = nullptr;
    Require(e2e::WaitUntil([&] { return (dialog = e2e::FindVisibleWindow(program.Id(), e2e::kDialogClass)) != nullptr; }, 30000),
            "Mardello did not start");
    const Opening opening = TimeUntilOpen(program, dialog, WM_COMMAND, IDM_HISTORY, true);
    program.Kill();
    return opening;
}

// The keep setting as it is, or nothing when it was never set; given back as it was, nothing
// deletes the value.
std::optional<DWORD> KeepingSetting()
{
    DWORD value = 0, size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER, e2e::kSettingsKey, "KeepReports", RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

void SetKeeping(std::optional<DWORD> keep)
{
    HKEY key = nullptr;
    Require(RegCreateKeyExA(HKEY_CURRENT_USER, e2e::kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) ==
                ERROR_SUCCESS,
            "open the settings");
    if (keep) RegSetValueExA(key, "KeepReports", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*keep), sizeof *keep);
    else RegDeleteValueA(key, "KeepReports");
    RegCloseKey(key);
}

// The history folder chosen by the user, or the default again with none.
void SetHistoryFolder(const char* folder)
{
    HKEY key = nullptr;
    Require(RegCreateKeyExA(HKEY_CURRENT_USER, e2e::kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) ==
                ERROR_SUCCESS,
            "open the settings");
    if (folder) RegSetValueExA(key, "HistoryFolder", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder), DWORD(strlen(folder) + 1));
    else RegDeleteValueA(key, "HistoryFolder");
    RegCloseKey(key);
}

// The same runs on a workshop's share: the history folder set to S:\Mardello, a network drive
// onto the folder that holds them.
Opening OpenOnAShare(const HistorySetup& setup)
{
    const std::string history = e2e::HistoryFolder();
    Require(setup.drives.Define('S', e2e::DriveKind::Network, e2e::UnixPath(history.substr(0, history.rfind('\\')))),
            "map the share");
    SetHistoryFolder("S:\\Mardello");
    e2e::Program program;
    const HWND dialog = StartWithoutDevice(program, setup);
    std::vector<double> shown, listed;
    for (int run = 0; run < setup.runs; ++run) {
        const Opening opening = TimeUntilOpen(program, dialog, WM_COMMAND, IDM_HISTORY, true);
        shown.push_back(opening.shownMs);
        listed.push_back(opening.listedMs);
    }
    program.Kill();
    SetHistoryFolder(nullptr);
    Require(setup.drives.Remove('S'), "unmap the share");
    return {Median(shown), Median(listed)};
}

}  // namespace

void BenchHistory(const HistorySetup& setup)
{
    std::printf("The history window on %d kept runs against the about box, median of %d openings each\n\n",
                kVins * kRunsPerVin, setup.runs);
    std::fflush(stdout);
    Stopwatch filling;
    FillHistory(kVins, kRunsPerVin, OneMisfire);
    std::printf("(history of %d runs written in %.0f ms)\n", kVins * kRunsPerVin, filling.ElapsedMs());
    std::vector<double> earlyShown, earlyListed;
    for (int run = 0; run < setup.runs; ++run) {
        Require(setup.drives.Remove(setup.letter), "take the device away");
        const Opening opening = OpenRightAfterStart(setup);
        earlyShown.push_back(opening.shownMs);
        earlyListed.push_back(opening.listedMs);
    }
    e2e::Program program;
    const HWND dialog = StartWithoutDevice(program, setup);
    std::vector<double> shown, listed, about;
    for (int run = 0; run < setup.runs; ++run) {
        const Opening history = TimeUntilOpen(program, dialog, WM_COMMAND, IDM_HISTORY, true);
        shown.push_back(history.shownMs);
        listed.push_back(history.listedMs);
        about.push_back(TimeUntilOpen(program, dialog, WM_SYSCOMMAND, IDM_ABOUTBOX, false).shownMs);
    }
    program.Kill();
    const Opening shared = OpenOnAShare(setup);
    const double worstShown = std::max({Median(shown), Median(earlyShown), shared.shownMs});
    std::printf("                                   until shown   until every run is listed\n"
                "history window, right after start  %8.0f ms   %8.0f ms\n"
                "history window, once started       %8.0f ms   %8.0f ms\n"
                "the same, the history on a share   %8.0f ms   %8.0f ms\n"
                "about box                          %8.0f ms\n"
                "goal, shown under %.0f ms whenever it is opened: %s\n\n",
                Median(earlyShown), Median(earlyListed), Median(shown), Median(listed), shared.shownMs, shared.listedMs,
                Median(about), kOpenGoalMs,
                worstShown < kOpenGoalMs ? "met" : "NOT met");

    std::printf("Device plugged in until its VIN shows, with its 20 MB live data kept and with keeping off\n\n");
    std::fflush(stdout);
    e2e::RemoveTree(e2e::HistoryFolder());
    const std::optional<DWORD> setting = KeepingSetting();
    SetKeeping(1);
    const double kept = Median(TimesUntilVinShown(setup.mardello, setup.workingDirectory, setup.drives, setup.letter,
                                                  setup.deviceUnix, setup.vin, setup.runs));
    SetKeeping(0);
    const double notKept = Median(TimesUntilVinShown(setup.mardello, setup.workingDirectory, setup.drives,
                                                     setup.letter, setup.deviceUnix, setup.vin, setup.runs));
    SetKeeping(setting);
    e2e::RemoveTree(e2e::HistoryFolder());
    std::printf("kept %8.0f ms, not kept %8.0f ms, %5.2fx\n\n", kept, notKept, kept / notKept);
    std::fflush(stdout);
}

}  // namespace bench
