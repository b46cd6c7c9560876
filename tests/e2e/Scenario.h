#pragma once
// A scenario: what a user does to the running program and what it then shows, written as rows.
//
//     Play({  // in a test of a fixture derived from Scenario
//         Plug('E', m_device),           Expect(Shown::Status, kReady),
//         Click(IDC_BTN_TROUBLE_CODE),   Expect(Shown::Viewer, "\r\nP0301    Misfire"),
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
// The history window's rows and its note exist only while it is open.
enum class Shown { Status, Vin, Viewer, Clipboard, ActiveButton, VinFacts, History, HistoryRows, HistoryNote };

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

inline std::string HistoryListing()
{
    std::vector<std::string> lines;
    ListFiles(HistoryFolder(), "", lines);
    std::sort(lines.begin(), lines.end());
    std::string listing;
    for (const std::string& line : lines) listing += line + "\n";
    return listing;
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
    case Shown::HistoryRows:
        return std::to_string(SendMessageA(GetDlgItem(HistoryWindow(stage.session), IDC_HISTORY_LIST), LVM_GETITEMCOUNT, 0, 0));
    case Shown::HistoryNote: return ControlText(HistoryWindow(stage.session), IDC_HISTORY_FAILURE).value_or("<no window>");
    }
    return {};
}

inline const char* Name(Shown what)
{
    static const char* const kNames[] = {"status", "VIN box", "viewer", "clipboard", "active button", "VIN facts", "history",
                                         "history rows", "history note"};
    return kNames[static_cast<int>(what)];
}

// Everything at once, for a failed expectation; long texts by their ends.
inline std::string ObservedState(const Stage& stage)
{
    std::ostringstream state;
    for (int each = 0; each <= static_cast<int>(Shown::HistoryNote); ++each) {
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
// xdotool key names ("ctrl+h"), pressed with the main window in front.
inline Step Keys(const std::string& keys)
{
    return {"press " + keys, [keys](Stage& stage) {
                if (!WaitUntil([&] { return GetForegroundWindow() == stage.session.Dialog(); }))
                    return ::testing::AssertionFailure() << "the main window is not in front";
                auto pressed = PressKeys(keys);
                return pressed ? WaitUntilIdle(stage.session.Dialog()) : pressed;
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
