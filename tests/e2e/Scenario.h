#pragma once
// A scenario: what a user does to the running program and what it then shows, written as rows.
//
//     Play({  // in a test of a fixture derived from Scenario
//         Plug('E', m_device),           Expect(Shown::Status, kReady),
//         Click(IDC_BTN_TROUBLE_CODE),   Expect(Shown::Viewer, "P0301    Misfire"),
//         Pull('E'),                     Expect(Shown::Status, kChecking),
//     });
//
// Each expectation waits until the program shows it (the program follows the drives and paints
// in its own time) and, when it does not, the failure names the row and prints everything the
// program shows at that moment, so a failed row needs no second run to understand.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/PrintDialog.h"
#include "tests/e2e/RunningProgram.h"
#include "tests/e2e/UserInput.h"

namespace e2e {

// What a scenario can look at.
// The history window's rows and its note exist only while it is open. The viewer's scroll bar
// and its lines of text are read from the screen: its style and WM_GETFONT do not tell.
enum class Shown { Status, Vin, Viewer, Clipboard, ActiveButton, VinFacts, History, HistoryRows, HistoryNote, ScrollBar, ViewerInk };

// The program and the drives a scenario acts on.
struct Stage {
    MardelloSession& session;
    DriveTable& drives;
};

struct Step {
    std::string what;
    std::function<::testing::AssertionResult(Stage&)> run;
};

// Every file below `folder`, one "sub\\folder\\name size" line each, sorted.
inline void ListFiles(const std::string& folder, const std::string& prefix, std::vector<std::string>& lines)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ListFiles(folder + "\\" + name, prefix + name + "\\", lines);
        else
            lines.push_back(prefix + name + " " + std::to_string(found.nFileSizeLow));
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

inline std::string HistoryListing(const std::string& folder = HistoryFolder())
{
    std::vector<std::string> lines;
    ListFiles(folder, "", lines);
    std::sort(lines.begin(), lines.end());
    std::string listing;
    for (const std::string& line : lines) listing += line + "\n";
    return listing;
}

// "drawn" when the strip of a vertical scroll bar's width inside the viewer's right edge is
// mostly not the white of its text's background.
inline std::string ScrollBarShown(HWND viewer)
{
    const auto picture = CaptureSettledWindow(viewer);
    if (!picture) return "<unreadable>";
    const int strip = GetSystemMetrics(SM_CXVSCROLL);
    int white = 0;
    for (int y = 0; y < picture->height; ++y)
        for (int x = picture->width - 2 - strip; x < picture->width - 2; ++x) white += picture->At(x, y) == RGB(255, 255, 255);
    return white * 2 < strip * picture->height ? "drawn" : "none";
}

// The bands of rows with dark pixels in the viewer: how many, and the tallest.
inline std::string ViewerInk(HWND viewer)
{
    const auto picture = CaptureSettledWindow(viewer);
    if (!picture) return "<unreadable>";
    int bands = 0, run = 0, tallest = 0;
    for (int y = 0; y < picture->height; ++y) {
        bool ink = false;
        for (int x = 4; x < picture->width - 4 - GetSystemMetrics(SM_CXVSCROLL); ++x)
            ink = ink || GetRValue(picture->At(x, y)) + GetGValue(picture->At(x, y)) + GetBValue(picture->At(x, y)) < 3 * 96;
        run = ink ? run + 1 : 0;
        bands += run == 1;
        tallest = std::max(tallest, run);
    }
    return std::to_string(bands) + " lines, " + std::to_string(tallest) + " pixels high";
}

inline std::string Observe(const Stage& stage, Shown what)
{
    switch (what) {
    case Shown::Status: return stage.session.Text(IDC_STATIC_STATUS);
    case Shown::Vin: return stage.session.Text(IDC_EDIT_VIN);
    case Shown::Viewer: return stage.session.Text(IDC_RICHEDIT_REPORT);
    case Shown::Clipboard: return ReadClipboardText().value_or("<no text>");
    case Shown::ActiveButton: {
        std::string ids;
        for (int id : BlueButtons(stage.session)) ids += (ids.empty() ? "" : " ") + std::to_string(id);
        return ids;
    }
    case Shown::VinFacts: return stage.session.Text(IDC_STATIC_VIN_FACTS);
    case Shown::History: return HistoryListing();
    case Shown::HistoryRows: {  // the rows and the one selected, or what the list's place says
        const HWND list = GetDlgItem(HistoryWindow(stage.session), IDC_HISTORY_LIST);
        if (!IsWindowVisible(list)) return ControlText(HistoryWindow(stage.session), IDC_HISTORY_NONE).value_or("<no window>");
        const auto selected = SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
        return std::to_string(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) + (selected < 0 ? "" : ", row " + std::to_string(selected + 1));
    }
    case Shown::HistoryNote: return ControlText(HistoryWindow(stage.session), IDC_HISTORY_FAILURE).value_or("<no window>");
    case Shown::ScrollBar: return ScrollBarShown(stage.session.Control(IDC_RICHEDIT_REPORT));
    case Shown::ViewerInk: return ViewerInk(stage.session.Control(IDC_RICHEDIT_REPORT));
    }
    return {};
}

inline const char* Name(Shown what)
{
    static const char* const kNames[] = {"status", "VIN box", "viewer", "clipboard", "active button", "VIN facts", "history",
                                         "history rows", "history note", "scroll bar", "viewer's ink"};
    return kNames[static_cast<int>(what)];
}

// Everything at once, for a failed expectation; long texts by their ends.
inline std::string ObservedState(const Stage& stage)
{
    std::ostringstream state;
    for (int each = 0; each <= static_cast<int>(Shown::ViewerInk); ++each) {
        const Shown what = static_cast<Shown>(each);
        std::string text = Observe(stage, what);
        if (text.size() > 300) text = text.substr(0, 140) + " [...] " + text.substr(text.size() - 140);
        state << "\n  " << Name(what) << ": \"" << text << "\"";
    }
    return state.str();
}

// The verbs.
inline Step Plug(char letter, const DeviceFolder& device)
{
    return {std::string("plug in ") + letter + ":", [letter, &device](Stage& stage) {
                return stage.drives.Define(letter, DriveKind::Removable, device.Unix());
            }};
}
inline Step Pull(char letter)
{
    return {std::string("pull out ") + letter + ":", [letter](Stage& stage) { return stage.drives.Remove(letter); }};
}
inline Step Click(int id)
{
    return {"click " + std::to_string(id), [id](Stage& stage) { return ClickButton(stage.session.Dialog(), id); }};
}
// Replaces what the control holds with `text`, typed.
inline Step Type(int id, const std::string& text)
{
    return {"type \"" + text + "\" into " + std::to_string(id), [id, text](Stage& stage) {
                SendMessageA(stage.session.Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
                return TypeText(stage.session.Dialog(), id, text);
            }};
}
// With no window manager, the X server can leave its focus on the root window after a dialog
// closes, and Wine then puts the desktop in front. A user would click the window, and so does
// the step; any other window in front still fails it.
inline bool DesktopInFront() { return ClassOf(GetForegroundWindow()) == "#32769"; }
inline ::testing::AssertionResult ClickToFront(HWND window)
{
    RECT place{};
    GetWindowRect(window, &place);
    return MouseClickAt({place.left + 4, place.top + 4});
}
// xdotool key names ("ctrl+h"), pressed with the main window in front.
inline Step Keys(const std::string& keys)
{
    return {"press " + keys, [keys](Stage& stage) {
                const auto inFront = [&] { return GetForegroundWindow() == stage.session.Dialog(); };
                WaitUntil([&] { return inFront() || DesktopInFront(); });
                if (DesktopInFront()) (void)ClickToFront(stage.session.Dialog());
                if (!WaitUntil(inFront))
                    return ::testing::AssertionFailure() << "the main window is not in front, "
                                                                 << ClassOf(GetForegroundWindow()) << " is";
                auto pressed = PressKeys(keys);
                return pressed ? WaitUntilIdle(stage.session.Dialog()) : pressed;
            }};
}
// A click into the middle of the control, which gives it the keyboard.
inline Step ClickInto(int id)
{
    return {"click into " + std::to_string(id), [id](Stage& stage) {
                RECT place{};
                GetWindowRect(stage.session.Control(id), &place);
                auto clicked = MouseClickAt({(place.left + place.right) / 2, (place.top + place.bottom) / 2});
                return clicked ? WaitUntilIdle(stage.session.Dialog()) : clicked;
            }};
}
// Copy, with something else on the clipboard first, so that an old copy cannot pass for it.
inline Step Copy()
{
    return {"copy", [](Stage& stage) {
                auto cleared = WriteClipboardText("<before copy>");
                return cleared ? ClickButton(stage.session.Dialog(), IDC_BTN_COPY) : cleared;
            }};
}
inline Step Print(const std::string& printer = {})
{
    return {"print", [printer](Stage& stage) { return PrintWithOk(stage.session, printer); }};
}

// The expectation: waits until `what` shows `expected` (for the active button: its ID).
inline Step Expect(Shown what, const std::string& expected, DWORD timeoutMs = kFollowMs)
{
    return {std::string("expect ") + Name(what) + " \"" + expected + "\"", [=](Stage& stage) {
                std::string seen;
                if (WaitUntil([&] { return (seen = Observe(stage, what)) == expected; }, timeoutMs))
                    return ::testing::AssertionSuccess();
                return ::testing::AssertionFailure() << Name(what) << " is \"" << seen << "\"";
            }};
}
inline Step Expect(Shown what, int buttonId) { return Expect(what, std::to_string(buttonId)); }
// Expects `what` to show what it showed at the first such step with the same `first`.
inline Step Same(Shown what, std::string& first)
{
    return {std::string("expect the same ") + Name(what), [what, &first](Stage& stage) {
                if (first.empty()) first = Observe(stage, what);
                return Expect(what, first).run(stage);
            }};
}

// Runs the rows in order and stops at the first that fails, reported at the test's own line.
inline void PlayRows(Stage stage, std::initializer_list<Step> steps, const char* file, int line)
{
    int row = 0;
    for (const Step& step : steps) {
        ++row;
        const auto result = step.run(stage);
        if (!result) {
            ADD_FAILURE_AT(file, line) << "row " << row << ", " << step.what << ": " << result.message()
                          << "\nthe program shows:" << ObservedState(stage);
            return;
        }
    }
}

// The fixture for tests written as scenarios.
class Scenario : public RunningProgram {
protected:
    void Play(std::initializer_list<Step> steps, const char* file = __builtin_FILE(), int line = __builtin_LINE())
    {
        PlayRows({m_session, m_drives}, steps, file, line);
    }
};

}  // namespace e2e
