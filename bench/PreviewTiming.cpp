#include "bench/PreviewTiming.h"

#include <windows.h>

#include <cstdio>

#include "bench/Require.h"
#include "bench/Stopwatch.h"
#include "bench/print_timing_hook.h"
#include "res/resource.h"
#include "tests/e2e/harness/Controls.h"
#include "tests/e2e/harness/Program.h"
#include "tests/e2e/harness/ThreadHook.h"
#include "tests/e2e/harness/TopLevelWindows.h"

namespace bench {

namespace {

// Print All of a 40,000-line report takes tens of seconds under Wine; only a hang takes this long.
constexpr DWORD kStepTimeoutMs = 900000;

// The shared memory where the library notes its moments.
class SharedTimes {
public:
    SharedTimes()
        : m_mapping(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(PrintTimes),
                                       kPrintTimingMappingName))
    {
        Require(m_mapping != nullptr, "cannot share memory with the timing library");
        m_times = static_cast<volatile PrintTimes*>(MapViewOfFile(m_mapping, FILE_MAP_WRITE, 0, 0, sizeof(PrintTimes)));
        Require(m_times != nullptr, "cannot map the shared memory");
    }
    ~SharedTimes()
    {
        UnmapViewOfFile(const_cast<PrintTimes*>(m_times));
        CloseHandle(m_mapping);
    }
    SharedTimes(const SharedTimes&) = delete;
    SharedTimes& operator=(const SharedTimes&) = delete;

    void Clear() const
    {
        m_times->laidOut = 0;
        m_times->firstPageDrawn = 0;
    }

    // Milliseconds from `start` until the moment `field` of the library is noted.
    double WaitMs(long long start, volatile long long PrintTimes::*field, const char* what) const
    {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        const DWORD began = GetTickCount();
        while (!(m_times->*field)) {
            Require(GetTickCount() - began < kStepTimeoutMs, std::string(what) + " never came");
            Sleep(1);
        }
        return 1000.0 * static_cast<double>(m_times->*field - start) / static_cast<double>(frequency.QuadPart);
    }

private:
    HANDLE m_mapping;
    volatile PrintTimes* m_times = nullptr;
};

long long Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

// Loads the library into the thread of `window` and lets it set its traps.
class TimingLibrary {
public:
    TimingLibrary(HWND window, const std::string& path) : m_hook(window, path, kPrintTimingHookName)
    {
        Require(m_hook.Failure().empty(), m_hook.Failure());
        DWORD_PTR result = 0;
        Require(SendMessageTimeoutA(window, RegisterWindowMessageA(kPrintTimingMessageName), 0, 0, SMTO_NORMAL, 60000,
                                    &result) != 0,
                "the program did not take the timing library");
    }

private:
    e2e::ThreadHook m_hook;
};

// A visible dialog box of the program other than `mainDialog`: the preview or the print dialog.
HWND WaitForOtherDialog(const e2e::Program& program, HWND mainDialog)
{
    HWND found = nullptr;
    e2e::WaitUntil(
        [&] {
            for (HWND window : e2e::WindowsOfProcess(program.Id()))
                if (window != mainDialog && IsWindowVisible(window) && e2e::ClassOf(window) == e2e::kDialogClass) {
                    found = window;
                    return true;
                }
            return false;
        },
        kStepTimeoutMs);
    Require(found != nullptr, "no dialog box opened");
    return found;
}

void WaitUntilClosed(HWND window, HWND mainDialog)
{
    Require(e2e::WaitUntil([&] { return !IsWindow(window); }, kStepTimeoutMs), "a dialog box stayed open");
    Require(e2e::WaitUntilIdle(mainDialog, kStepTimeoutMs), "Mardello did not answer again");
}

}  // namespace

PreviewRuns RunPreviewAgainstPrint(const std::string& mardello, const std::string& workingDirectory,
                                   const std::string& vin, const std::string& hookLibrary, int runs)
{
    e2e::Program program;
    Require(program.Start(mardello, workingDirectory), "start Mardello.exe");
    const HWND dialog = e2e::WaitForVisibleWindow(program.Id(), e2e::kDialogClass);
    Require(dialog != nullptr, "Mardello's dialog did not appear");
    Require(e2e::ControlText(dialog, IDC_EDIT_VIN) == vin, "Mardello did not find the device on E:");
    Require(e2e::ClickButton(dialog, IDC_BTN_PRINT_ALL, kStepTimeoutMs), "Print All");

    const SharedTimes times;
    const TimingLibrary library(dialog, hookLibrary);
    PreviewRuns result;
    for (int run = 0; run < runs; ++run) {
        times.Clear();
        long long start = Now();
        Require(PostMessageA(dialog, WM_COMMAND, IDM_PRINT_PREVIEW, 0) != 0, "cannot send the preview command");
        result.previewMs.push_back(times.WaitMs(start, &PrintTimes::firstPageDrawn, "the preview's first page"));
        const HWND preview = WaitForOtherDialog(program, dialog);
        result.pagesShown = e2e::ControlText(preview, IDC_PREVIEW_PAGE).value_or("<none>");
        PostMessageA(preview, WM_COMMAND, IDCANCEL, 0);
        WaitUntilClosed(preview, dialog);

        times.Clear();
        Require(e2e::StartClick(dialog, IDC_BTN_PRINT, kStepTimeoutMs), "Print");
        const HWND printDialog = WaitForOtherDialog(program, dialog);
        start = Now();
        Require(SendNotifyMessageA(GetDlgItem(printDialog, IDOK), BM_CLICK, 0, 0) != 0, "cannot press OK");
        result.printLayoutMs.push_back(times.WaitMs(start, &PrintTimes::laidOut, "Print's job"));
        WaitUntilClosed(printDialog, dialog);
    }
    return result;
}

}  // namespace bench

namespace bench {

void PrintPreviewTable(const PreviewRuns& runs, int lines)
{
    constexpr double kGoal = 1.2;
    const double preview = Median(runs.previewMs);
    const double layout = Median(runs.printLayoutMs);
    const double ratio = preview / layout;
    std::printf("Print preview against Print's layout of the same %d-line report (after Print All), median of %zu\n"
                "runs each, taken in turns in one Mardello (the preview showed \"%s\"):\n"
                "  preview command until its first page is on the screen   %8.0f ms\n"
                "  OK in the print dialog until Print starts its job        %8.0f ms\n"
                "  ratio            %8.2fx    goal within %.1fx: %s\n\n",
                lines, runs.previewMs.size(), runs.pagesShown.c_str(), preview, layout, ratio, kGoal,
                ratio <= kGoal ? "met" : "NOT met");
    std::fflush(stdout);
}

}  // namespace bench
