#include "bench/StartupTiming.h"

#include <windows.h>

#include "bench/Require.h"
#include "bench/Stopwatch.h"
#include "tests/e2e/harness/Controls.h"
#include "tests/e2e/harness/Program.h"
#include "tests/e2e/harness/TopLevelWindows.h"

namespace bench {

namespace {

constexpr DWORD kStartTimeoutMs = 60000;

}  // namespace

double TimeUntilShown(const std::string& exe, const std::string& workingDirectory, int editId, const std::string& text,
                      const std::string& arguments)
{
    e2e::Program program;
    Stopwatch clock;
    Require(program.Start(exe, workingDirectory, arguments), "start " + exe);
    // Looked at every millisecond: a start takes some hundreds of them, and the programs being
    // compared are looked at the same way.
    for (;;) {
        const HWND dialog = e2e::FindVisibleWindow(program.Id(), e2e::kDialogClass);
        if (dialog && e2e::ControlText(dialog, editId, kStartTimeoutMs) == text) break;
        Require(program.Running(), exe + " ended before it showed \"" + text + "\"");
        Require(clock.ElapsedMs() < kStartTimeoutMs, exe + " did not show \"" + text + "\" in time");
        Sleep(1);
    }
    const double shownMs = clock.ElapsedMs();
    program.Kill();
    return shownMs;
}

}  // namespace bench
