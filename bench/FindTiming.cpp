#include "bench/FindTiming.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/Require.h"
#include "bench/SampleReports.h"
#include "bench/Stopwatch.h"
#include "res/resource.h"
#include "tests/e2e/harness/Controls.h"
#include "tests/e2e/harness/Program.h"
#include "tests/e2e/harness/TopLevelWindows.h"

namespace bench {

namespace {

constexpr int kFindWhat = 0x480;  // the Find dialog's text box

// The character range `bytes` takes in the viewer's text (a double-byte character is one).
std::pair<long, long> CharacterRange(const std::string& text, const std::string& bytes)
{
    const size_t at = text.find(bytes);
    Require(at != std::string::npos, "the viewer does not hold " + bytes);
    const auto characters = [&](size_t count) {
        return static_cast<long>(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(count), nullptr, 0));
    };
    return {characters(at), characters(at + bytes.size())};
}

}  // namespace

std::string WithCodeNearTheEnd(const std::string& report, const std::string& code, int fromEnd)
{
    size_t at = report.size();
    for (int line = 0; line <= fromEnd && at > 0; ++line) at = report.rfind("\r\n", at - 1);
    Require(at != std::string::npos && report.find(code) == std::string::npos, "no place for " + code);
    return report.substr(0, at + 2) + code + " Unique fault near the end\r\n" + report.substr(at + 2);
}

double TimeFindNext(const std::string& mardello, const std::string& workingDirectory, const std::string& code)
{
    e2e::Program program;
    Require(program.Start(mardello, workingDirectory), "start " + mardello);
    const HWND dialog = e2e::WaitForVisibleWindow(program.Id(), e2e::kDialogClass);
    Require(dialog != nullptr, "no main dialog");
    Require(e2e::ClickButton(dialog, IDC_BTN_LIVE_DATA, 120000), "show the live data");
    const auto text = e2e::RichEditText(dialog, IDC_RICHEDIT_REPORT, 120000);
    Require(text.has_value(), "read the viewer");
    const std::pair<long, long> match = CharacterRange(*text, code);

    SendMessageA(GetDlgItem(dialog, IDC_RICHEDIT_REPORT), EM_SETSEL, 0, 0);
    PostMessageA(dialog, WM_COMMAND, IDM_FIND, 0);
    const HWND find = e2e::WaitForVisibleWindow(program.Id(), e2e::kDialogClass, dialog);
    Require(find != nullptr, "no Find dialog");
    SendMessageA(GetDlgItem(find, kFindWhat), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(code.c_str()));

    // The click returns once the Find dialog has told the main dialog, which searches right then.
    Stopwatch clock;
    SendMessageA(GetDlgItem(find, IDOK), BM_CLICK, 0, 0);
    for (;;) {
        if (e2e::RichEditSelection(dialog, IDC_RICHEDIT_REPORT) == match) break;
        Require(clock.ElapsedMs() < 60000, "Find Next did not select " + code);
    }
    const double foundMs = clock.ElapsedMs();
    program.Kill();
    return foundMs;
}

void BenchFindNext(int lines, int runs, const std::string& mardello, const std::string& workingDirectory,
                   const e2e::ScratchFolder& device)
{
    constexpr double kGoalMs = 100;
    constexpr int kFromEnd = 50;
    const std::string code = "P1AB9";
    const SampleReports reports = MakeSampleReports(lines);
    const std::string report = reports.troubleCodes + reports.liveData + reports.freezeFrame;
    Require(device.WriteFile("PRINT\\CDS.DAT", WithCodeNearTheEnd(report, code, kFromEnd)), "CDS.DAT");
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) times.push_back(TimeFindNext(mardello, workingDirectory, code));
    const double median = Median(times);
    std::printf("\nFind Next in a %d-line report, from its start to the one match %d lines before its end,\n"
                "until the match is selected, median of %d runs: %.1f ms (slowest %.1f ms)\n"
                "Goal, under %.0f ms: %s\n",
                lines + 1, kFromEnd, runs, median, *std::max_element(times.begin(), times.end()), kGoalMs,
                median < kGoalMs ? "met" : "NOT met");
    std::fflush(stdout);
}

}  // namespace bench
