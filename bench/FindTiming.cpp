#include "bench/FindTiming.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

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

double TimeOneFindNext(const e2e::Program& program, HWND dialog, const std::string& code, std::pair<long, long> match)
{
    SendMessageA(GetDlgItem(dialog, IDC_RICHEDIT_REPORT), EM_SETSEL, 0, 0);
    PostMessageA(dialog, WM_COMMAND, IDM_FIND, 0);
    const HWND find = e2e::WaitForVisibleWindow(program.Id(), e2e::kDialogClass, dialog);
    Require(find != nullptr, "no Find dialog");
    SendMessageA(GetDlgItem(find, kFindWhat), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(code.c_str()));

    // The click returns once the Find dialog has told the main dialog, which searches right then.
    Stopwatch clock;
    SendMessageA(GetDlgItem(find, IDOK), BM_CLICK, 0, 0);
    for (;;) {
        const auto selection = e2e::RichEditSelection(dialog, IDC_RICHEDIT_REPORT);
        if (selection == match) return clock.ElapsedMs();
        Require(clock.ElapsedMs() < 60000,
                "Find Next did not select " + code + " at " + std::to_string(match.first) + ", the selection is " +
                    (selection ? std::to_string(selection->first) + "-" + std::to_string(selection->second) : "unknown"));
    }
}

}  // namespace

std::string WithCodeAtLine(const std::string& report, const std::string& code, int line)
{
    Require(report.find(code) == std::string::npos, code + " is in the report already");
    size_t at = 0;
    for (int n = 0; n < line && at != std::string::npos; ++n) at = report.find("\r\n", at) + 2;
    Require(at != std::string::npos + 2 && at <= report.size(), "the report has no line " + std::to_string(line));
    return report.substr(0, at) + code + " Unique fault\r\n" + report.substr(at);
}

std::vector<double> TimeFindNext(const std::string& mardello, const std::string& workingDirectory,
                                 const std::vector<std::string>& codes)
{
    e2e::Program program;
    Require(program.Start(mardello, workingDirectory), "start " + mardello);
    const HWND dialog = e2e::WaitForVisibleWindow(program.Id(), e2e::kDialogClass);
    Require(dialog != nullptr, "no main dialog");
    Require(e2e::ClickButton(dialog, IDC_BTN_LIVE_DATA, 120000), "show the live data");
    const auto text = e2e::RichEditText(dialog, IDC_RICHEDIT_REPORT, 120000);
    Require(text.has_value(), "read the viewer");
    std::vector<double> times;
    for (const std::string& code : codes) times.push_back(TimeOneFindNext(program, dialog, code, CharacterRange(*text, code)));
    program.Kill();
    return times;
}

void BenchFindNext(int lines, int runs, const std::string& mardello, const std::string& workingDirectory,
                   const e2e::ScratchFolder& device)
{
    constexpr double kGoalMs = 50;
    constexpr int kFromEdge = 50;
    const std::string nearStart = "P1AB8", nearEnd = "P1AB9";
    const SampleReports reports = MakeSampleReports(lines);
    std::string report = reports.troubleCodes + reports.liveData + reports.freezeFrame;
    report = WithCodeAtLine(WithCodeAtLine(report, nearEnd, lines - kFromEdge), nearStart, kFromEdge);
    Require(device.WriteFile("PRINT\\CDS.DAT", report), "CDS.DAT");
    std::vector<double> startTimes, endTimes;
    for (int run = 0; run < runs; ++run) {
        const std::vector<double> times = TimeFindNext(mardello, workingDirectory, {nearStart, nearEnd});
        startTimes.push_back(times[0]);
        endTimes.push_back(times[1]);
    }
    const double end = Median(endTimes);
    std::printf("\nFind Next in a %d-line report, from its start until the match is selected, median of %d runs\n"
                "  match %d lines before its end   %8.1f ms (slowest %.1f ms)\n"
                "  match %d lines after its start  %8.1f ms (the first search: it reads the viewer's text, kept for the next)\n"
                "Goal, the match near the end under %.0f ms: %s\n",
                lines + 2, runs, kFromEdge, end, *std::max_element(endTimes.begin(), endTimes.end()), kFromEdge,
                Median(startTimes), kGoalMs, end < kGoalMs ? "met" : "NOT met");
    std::fflush(stdout);
}

}  // namespace bench
