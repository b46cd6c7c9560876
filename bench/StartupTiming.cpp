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

BOOL CALLBACK NoteIfPaintDue(HWND window, LPARAM due)
{
    if (::IsWindowVisible(window) && ::GetUpdateRect(window, nullptr, FALSE)) *reinterpret_cast<bool*>(due) = true;
    return TRUE;
}

// Whether the dialog or any of its controls still has a region to paint. Its thread clears a
// window's region as it starts to paint it, and answers the text asked for after that only once
// the paint is done.
bool PaintDue(HWND dialog)
{
    bool due = ::GetUpdateRect(dialog, nullptr, FALSE);
    ::EnumChildWindows(dialog, NoteIfPaintDue, reinterpret_cast<LPARAM>(&due));
    return due;
}

}  // namespace

StartTimes TimeUntilShown(const std::string& exe, const std::string& workingDirectory, int editId,
                          const std::string& text, const std::string& arguments)
{
    e2e::Program program;
    Stopwatch clock;
    Require(program.Start(exe, workingDirectory, arguments), "start " + exe);
    // Looked at every millisecond: a start takes some hundreds of them, and the programs being
    // compared are looked at the same way.
    StartTimes times{-1, -1};
    for (;;) {
        if (const HWND dialog = e2e::FindVisibleWindow(program.Id(), e2e::kDialogClass)) {
            const bool due = PaintDue(dialog);  // before the text is asked for, as said above
            if (e2e::ControlText(dialog, editId, kStartTimeoutMs) == text) {
                if (times.answeringMs < 0) times.answeringMs = clock.ElapsedMs();
                if (!due) break;
            }
        }
        Require(program.Running(), exe + " ended before it showed \"" + text + "\"");
        Require(clock.ElapsedMs() < kStartTimeoutMs, exe + " did not show \"" + text + "\" in time");
        Sleep(1);
    }
    times.paintedMs = clock.ElapsedMs();
    program.Kill();
    return times;
}

}  // namespace bench
