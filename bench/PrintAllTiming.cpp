#include "bench/PrintAllTiming.h"

#include <windows.h>

#include <vector>

#include "bench/InProcessSetText.h"
#include "bench/Require.h"
#include "bench/Stopwatch.h"
#include "res/resource.h"
#include "tests/e2e/harness/Controls.h"
#include "tests/e2e/harness/Program.h"
#include "tests/e2e/harness/TopLevelWindows.h"

namespace bench {

namespace {

// A 40,000-line report takes tens of seconds under Wine; only a program that hangs takes this long.
constexpr DWORD kStepTimeoutMs = 900000;

LRESULT Ask(HWND viewer, UINT message, WPARAM wParam = 0)
{
    DWORD_PTR result = 0;
    Require(SendMessageTimeoutA(viewer, message, wParam, 0, SMTO_NORMAL, kStepTimeoutMs, &result) != 0,
            "the viewer did not answer message " + std::to_string(message));
    return static_cast<LRESULT>(result);
}

// Waits until the viewer's thread has handled what was queued before this call (Print All's
// posted scroll) and has painted. A marker posted now, setting the viewer's modified flag, is
// handled after everything posted before it; painting only comes once no posted message is left,
// and then no region is left to paint. Polled every millisecond, because the smallest reports
// take only some tens of them.
void WaitUntilSettled(HWND viewer, const Stopwatch& clock)
{
    Ask(viewer, EM_SETMODIFY, FALSE);
    Require(PostMessageA(viewer, EM_SETMODIFY, TRUE, 0) != 0, "cannot post to the viewer");
    while (!Ask(viewer, EM_GETMODIFY) || GetUpdateRect(viewer, nullptr, FALSE)) {
        Require(clock.ElapsedMs() < kStepTimeoutMs, "the viewer did not settle in time");
        Sleep(1);
    }
}

// The viewer's text in the ANSI code page, paragraph breaks as CR LF. Asked from another
// process, Wine answers the ANSI WM_GETTEXTLENGTH of a text holding GBK characters with 0, so
// the room comes from the Unicode length and the code page's widest character.
std::string ViewerText(HWND viewer)
{
    DWORD_PTR characters = 0;
    Require(SendMessageTimeoutW(viewer, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kStepTimeoutMs, &characters) != 0,
            "the viewer did not tell its length");
    CPINFO codePage{};
    GetCPInfo(CP_ACP, &codePage);
    std::vector<char> text(codePage.MaxCharSize * characters + 2);
    DWORD_PTR copied = 0;
    Require(SendMessageTimeoutA(viewer, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                                kStepTimeoutMs, &copied) != 0,
            "the viewer did not give its text");
    Require(characters == 0 || copied > 0, "the viewer gave none of its " + std::to_string(characters) + " characters");
    return std::string(text.data(), copied);
}

size_t CountBreaks(const std::string& text)
{
    size_t count = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++count;
    return count;
}

// Mardello started for one timed step, its viewer never used. Under Wine, removing a large text
// from a rich edit costs far more than putting it in (minutes for 20,000 lines), so emptying the
// viewer of a running program between runs would take longer than the runs themselves.
class FreshMardello {
public:
    FreshMardello(const std::string& exe, const std::string& workingDirectory, const std::string& vin)
    {
        Require(m_program.Start(exe, workingDirectory), "start Mardello.exe");
        m_dialog = e2e::WaitForVisibleWindow(m_program.Id(), e2e::kDialogClass);
        Require(m_dialog != nullptr, "Mardello's dialog did not appear");
        Require(e2e::ControlText(m_dialog, IDC_EDIT_VIN) == vin, "Mardello did not find the device on E:");
        m_viewer = GetDlgItem(m_dialog, IDC_RICHEDIT_REPORT);
        Require(m_viewer != nullptr, "Mardello's dialog has no viewer");
        WaitUntilSettled(m_viewer, Stopwatch());
    }

    HWND Dialog() const { return m_dialog; }
    HWND Viewer() const { return m_viewer; }

private:
    e2e::Program m_program;  // ended with this object
    HWND m_dialog = nullptr;
    HWND m_viewer = nullptr;
};

}  // namespace

PrintAllRun RunPrintAll(const std::string& mardello, const std::string& workingDirectory, const std::string& vin,
                        const std::string& hookLibrary, size_t paragraphBreaks)
{
    PrintAllRun run;
    std::string shown;
    {
        FreshMardello program(mardello, workingDirectory, vin);
        Stopwatch clock;
        Require(e2e::ClickButton(program.Dialog(), IDC_BTN_PRINT_ALL, kStepTimeoutMs), "Print All");
        run.printAll.handledMs = clock.ElapsedMs();
        WaitUntilSettled(program.Viewer(), clock);
        run.printAll.settledMs = clock.ElapsedMs();
        shown = ViewerText(program.Viewer());
    }
    Require(CountBreaks(shown) == paragraphBreaks, "Print All showed " + std::to_string(CountBreaks(shown)) +
                                                       " paragraph breaks, not " + std::to_string(paragraphBreaks));
    run.viewerBytes = shown.size();
    {
        FreshMardello program(mardello, workingDirectory, vin);
        const InProcessSetText setText(program.Viewer(), shown, hookLibrary);
        Stopwatch clock;
        setText.Run(kStepTimeoutMs);
        run.setText.handledMs = clock.ElapsedMs();
        WaitUntilSettled(program.Viewer(), clock);
        run.setText.settledMs = clock.ElapsedMs();
        Require(ViewerText(program.Viewer()) == shown, "WM_SETTEXT left a text other than the one Print All showed");
    }
    return run;
}

}  // namespace bench
