#include "bench/BeforeAfterTiming.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "bench/KeptHistory.h"
#include "bench/Require.h"
#include "bench/Stopwatch.h"
#include "res/resource.h"
#include "tests/e2e/RunningProgram.h"
#include "tests/e2e/harness/ProcessProbe.h"

namespace bench {

namespace {

constexpr int kVins = 1000;
constexpr int kRunsPerVin = 10;
constexpr int kRunsWithP0171 = kVins;  // the fourth run of every vehicle
constexpr double kKeystrokeGoalMs = 200;

// A trouble-code report of the device's size and shape, each run's a little different.
std::string TroubleCodes(int run)
{
    std::string report = "Trouble Code Report\r\nSystem:\tEngine control module (ECM)\r\n\r\nCode\tStatus\tDescription\r\n"
                         "P0301\tcurrent\tCylinder 1 Misfire Detected\r\nP0420\thistory\tCatalyst Below Threshold\r\n";
    if (run == 3) report += "P0171\tcurrent\tSystem Too Lean (Bank 1)\r\n";
    if (run % 2) report += "P0455\tcurrent\tEVAP System Large Leak\r\n";
    return report + "\r\nSystem:\tTransmission control module (TCM)\r\nNo Trouble Codes\r\n";
}

constexpr int kLargeReportLines = 40000;

// A trouble-code report of the largest kind: a system per code, 1 MB in all. The later run has
// some codes the earlier one had not, so the comparison names new ones.
std::string ManySystems(int run)
{
    std::string report = "Trouble Code Report\r\n";
    char pair[64];
    for (int system = 0; system < kLargeReportLines / 2; ++system) {
        const char kind = run > 0 && system % 100 == 0 ? 'U' : 'P';
        std::snprintf(pair, sizeof pair, "System:\tModule %05d\r\n%c%04d\tcurrent\tCircuit Fault\r\n",
                      system, kind, system % 10000);
        report += pair;
    }
    return report;
}

int Rows(HWND history) { return static_cast<int>(SendMessageA(GetDlgItem(history, IDC_HISTORY_LIST), LVM_GETITEMCOUNT, 0, 0)); }

HWND OpenHistory(e2e::Program& program, HWND dialog)
{
    PostMessageA(dialog, WM_COMMAND, IDM_HISTORY, 0);
    HWND history = nullptr;
    Require(e2e::WaitUntil([&] { return (history = e2e::FindVisibleWindow(program.Id(), e2e::kDialogClass, dialog)) != nullptr; }),
            "the history window did not open");
    return history;
}

// One keystroke's worth: the filter box's new text, the list filtered, and the list drawn.
double Keystroke(HWND history, const char* filter)
{
    const HWND list = GetDlgItem(history, IDC_HISTORY_LIST);
    Stopwatch clock;
    SendMessageA(GetDlgItem(history, IDC_HISTORY_FILTER), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(filter));
    UpdateWindow(list);
    return clock.ElapsedMs();
}

double DrawingAlone(HWND history)
{
    const HWND list = GetDlgItem(history, IDC_HISTORY_LIST);
    Stopwatch clock;
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
    return clock.ElapsedMs();
}

// Milliseconds from a command until the main window's status starts with `status` and its
// viewer holds `shown`.
double UntilShown(HWND target, WPARAM command, HWND dialog, const std::string& status, const std::string& shown,
                  DWORD timeoutMs = 30000)
{
    SendMessageA(GetDlgItem(dialog, IDC_RICHEDIT_REPORT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    Stopwatch clock;
    PostMessageA(target, WM_COMMAND, command, 0);
    const bool seen = e2e::WaitUntil([&] {
        return e2e::ControlText(dialog, IDC_STATIC_STATUS).value_or("").rfind(status, 0) == 0 &&
               e2e::ControlText(dialog, IDC_RICHEDIT_REPORT).value_or("").find(shown) != std::string::npos;
    }, timeoutMs);
    // What was shown instead tells a slow view from a changed one.
    Require(seen, "the view with \"" + shown + "\" was not shown; the status says \"" +
                      e2e::ControlText(dialog, IDC_STATIC_STATUS).value_or("") + "\", the viewer starts \"" +
                      e2e::ControlText(dialog, IDC_RICHEDIT_REPORT).value_or("").substr(0, 60) + "\"");
    return clock.ElapsedMs();
}

// Compare of two runs of `ManySystems` reports: the median time until shown, and the largest peak
// memory of the program above what it had once started, in KB.
void BenchLargeCompare(const std::string& mardello, const std::string& workingDirectory, const std::string& probeLibrary,
                       int runs)
{
    FillHistory(1, 2, ManySystems);
    std::vector<double> times;
    DWORD mostAboveStart = 0;
    size_t bytes = ManySystems(1).size();
    for (int run = 0; run < runs; ++run) {
        e2e::Program program;
        Require(program.Start(mardello, workingDirectory), "start Mardello");
        const HWND dialog = e2e::WaitForVisibleWindow(program.Id(), e2e::kDialogClass);
        Require(dialog != nullptr, "Mardello did not start");
        const e2e::ProcessProbe probe(dialog, probeLibrary);
        Require(probe.Ready(), "the probe inside Mardello");
        HWND history = OpenHistory(program, dialog);
        Require(e2e::WaitUntil([&] { return Rows(history) == 2; }, 60000), "the two runs were not listed");
        Keystroke(history, BenchVin(0).c_str());
        const std::optional<DWORD> started = probe.Ask(e2e::ProbeQuestion::PeakMemoryKilobytes);
        times.push_back(UntilShown(history, IDC_HISTORY_COMPARE_PREVIOUS, dialog, "Compared:", "New /", 300000));
        const std::optional<DWORD> peak = probe.Ask(e2e::ProbeQuestion::PeakMemoryKilobytes);
        Require(started && peak, "the peak memory of Mardello");
        mostAboveStart = std::max(mostAboveStart, *peak - *started);
        program.Kill();
    }
    std::printf("Compare of two runs' %zu-byte trouble-code reports of %d systems each\n"
                "until shown %8.0f ms, peak memory %lu MB above the start's (median of %d, highest peak)\n\n",
                bytes, kLargeReportLines / 2, Median(times), mostAboveStart / 1024, runs);
    std::fflush(stdout);
}

}  // namespace

void BenchBeforeAfter(const std::string& mardello, const std::string& workingDirectory, const std::string& probeLibrary,
                      int runs)
{
    std::printf("Search by trouble code and Compare on %d kept runs, median of %d\n\n", kVins * kRunsPerVin, runs);
    std::fflush(stdout);
    FillHistory(kVins, kRunsPerVin, TroubleCodes);

    std::vector<double> codesRead, code, vinPart, plate, drawing, compare, view;
    for (int run = 0; run < runs; ++run) {
        e2e::Program program;
        Require(program.Start(mardello, workingDirectory), "start Mardello");
        const HWND dialog = e2e::WaitForVisibleWindow(program.Id(), e2e::kDialogClass);
        Require(dialog != nullptr, "Mardello did not start");
        // From the window shown until the filter finds every run with P0171: the keeping thread
        // has read the history and every run's trouble codes.
        Stopwatch reading;
        HWND history = OpenHistory(program, dialog);
        SendMessageA(GetDlgItem(history, IDC_HISTORY_FILTER), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("P0171"));
        Require(e2e::WaitUntil([&] { return Rows(history) == kRunsWithP0171; }, 120000), "the codes were not read");
        codesRead.push_back(reading.ElapsedMs());

        for (const char* typed : {"P", "P0", "P01", "P017", "P0171"}) code.push_back(Keystroke(history, typed));
        Require(Rows(history) == kRunsWithP0171, "P0171 lists its runs");
        for (const char* typed : {"0", "00", "000", "0005", "00050"}) vinPart.push_back(Keystroke(history, typed));
        for (const char* typed : {"p", "pl", "pl ", "pl 0", "pl 00"}) plate.push_back(Keystroke(history, typed));
        Keystroke(history, "");
        for (int draw = 0; draw < 5; ++draw) drawing.push_back(DrawingAlone(history));

        // The newest run of one vehicle, selected as the filter leaves it, and the run before it.
        Keystroke(history, BenchVin(500).c_str());
        compare.push_back(UntilShown(history, IDC_HISTORY_COMPARE_PREVIOUS, dialog, "Compared:", "New /"));
        // A view leaves the comparison: the status names the run shown.
        view.push_back(UntilShown(dialog, IDC_BTN_TROUBLE_CODE, dialog, "Kept run of", "P0455"));
        program.Kill();
    }
    std::printf("history and its trouble codes read after the start %8.0f ms\n", Median(codesRead));
    std::printf("keystroke in the filter, a trouble code           %8.1f ms\n", Median(code));
    std::printf("keystroke in the filter, part of a VIN            %8.1f ms\n", Median(vinPart));
    std::printf("keystroke in the filter, start of a plate         %8.1f ms\n", Median(plate));
    std::printf("the list drawn alone (all runs listed)            %8.1f ms; goal per keystroke under %.0f ms: %s\n",
                Median(drawing), kKeystrokeGoalMs, Median(code) < kKeystrokeGoalMs ? "met" : "NOT met");
    std::printf("Compare with previous until shown                 %8.0f ms\n", Median(compare));
    std::printf("Print Trouble Code of the same run until shown    %8.0f ms\n\n", Median(view));
    std::fflush(stdout);
    BenchLargeCompare(mardello, workingDirectory, probeLibrary, runs);
    e2e::RemoveTree(e2e::HistoryFolder());
}

}  // namespace bench
