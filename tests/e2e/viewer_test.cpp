// The report viewer as a user works in it: its context menu, Find, Enter, and the main window's keys.
#include <gtest/gtest.h>
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <string>
#include <utility>

#include "tests/e2e/PrintDialog.h"
#include "tests/e2e/RunningProgram.h"
#include "tests/e2e/UserInput.h"

namespace e2e {
namespace {

// The Find dialog's controls, as the common dialog library names them.
constexpr int kFindWhat = 0x480, kWholeWord = 0x410, kMatchCase = 0x411, kUp = 0x420, kDown = 0x421;

using Range = std::pair<long, long>;

class Viewer : public RunningProgram {
protected:
    // Starts the program with `report` as the live data, shown in the viewer if `show`.
    void Start(const std::string& report, bool show = true)
    {
        m_device.Write("CDS.DAT", report);
        StartWithDevice();
        if (show) ShowLiveData();
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == m_session.Dialog(); }));
    }
    void ShowLiveData() { ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_LIVE_DATA)); }
    HWND Report() const { return m_session.Control(IDC_RICHEDIT_REPORT); }
    std::string Text() const { return RichEditText(m_session.Dialog(), IDC_RICHEDIT_REPORT).value_or("<unreadable>"); }
    Range Selection() const { return RichEditSelection(m_session.Dialog(), IDC_RICHEDIT_REPORT).value_or(Range{-9, -9}); }
    HWND Focus() const
    {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(GetWindowThreadProcessId(m_session.Dialog(), nullptr), &info) ? info.hwndFocus : nullptr;
    }
    // Presses keys that open a dialog box the main dialog owns (Find, the print preview); returns it.
    HWND PressForDialog(const std::string& keys)
    {
        EXPECT_TRUE(PressKeys(keys));
        return WaitForVisibleWindow(m_session.Process().Id(), kDialogClass, m_session.Dialog());
    }
    void ClickInto(HWND control, Range selection = {0, 0})
    {
        RECT place;
        GetWindowRect(control, &place);
        ASSERT_TRUE(MouseClickAt({place.left + 20, place.top + 10}));
        ASSERT_TRUE(WaitUntil([&] { return Focus() == control; }));
        if (control == Report()) SendMessageA(Report(), EM_SETSEL, selection.first, selection.second);
    }
    // Opens the menu of a control with a right-click into it, or with keys pressed inside it.
    HWND OpenMenu(const std::string& how, HWND control)
    {
        RECT place;
        GetWindowRect(control, &place);
        EXPECT_TRUE(how != "right-click" || MouseMoveTo({place.left + 60, (place.top + place.bottom) / 2}));
        EXPECT_TRUE(how == "right-click" ? Xdotool({"click", "3"}) : PressKeys(how));
        return WaitForVisibleWindow(m_session.Process().Id(), "#32768");
    }
    // By the item's underlined letter, or Escape.
    void Choose(HWND menu, const char* letter)
    {
        ASSERT_TRUE(menu) << "no menu opened";
        ASSERT_TRUE(PressKeys(letter));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }));
        ASSERT_TRUE(WaitUntilIdle(m_session.Dialog()));
    }
};

// Which items of the open menu are enabled, '1' or '0' each, as the screen shows them: an item is
// a band of rows with text, black when enabled and grey when not; a separator is a thinner line.
std::string EnabledItems(HWND menu)
{
    std::string enabled, band;  // band: the rows of one item so far, '0' with grey text only, '1' with black
    const auto picture = CaptureSettledWindow(menu);
    const COLORREF black = GetSysColor(COLOR_MENUTEXT), grey = GetSysColor(COLOR_GRAYTEXT);
    for (int y = 0; picture && y <= picture->height; ++y) {
        char row = ' ';
        for (int x = 4; y < picture->height && x < picture->width - 4; ++x)  // inside the frame
            row = picture->At(x, y) == black ? '1' : picture->At(x, y) == grey && row == ' ' ? '0' : row;
        if (row == ' ' && band.size() > 3) enabled += *std::max_element(band.begin(), band.end());
        band = row == ' ' ? "" : band + row;
    }
    return enabled;
}

// The viewer's menu: which items are enabled, then Select All, Copy, Cut and Undo from it.
TEST_F(Viewer, MenuItemsAreEnabledWhenTheyCanAct)
{
    struct Row {
        const char* what;
        bool withText;
        Range selection;  // {-1, -1}: in the VIN box
        bool clipboardText;
        const char* open;  // right-click, or the keys
        // Undo Cut Copy Paste Delete SelectAll Find SaveAs PrintPreview Print JobDetails WorkshopDetails History Encoding About
        const char* expected;
    };
    const Row rows[] = {
        {"empty viewer", false, {0, 0}, false, "right-click", "000000011111111"},
        {"text, nothing selected", true, {3, 3}, false, "shift+F10", "000001111111111"},
        {"a selection", true, {3, 9}, false, "right-click", "011011111111111"},
        {"text on the clipboard", true, {3, 3}, true, "Menu", "000101111111111"},
        // The system's own menu, in the system's language; its lines of Chinese text may touch,
        // so only its enabled items are counted: Select All alone, where ours would have four.
        {"the VIN box keeps the system's menu", true, {-1, -1}, false, "right-click", "1"},
    };
    Start("P0301 Misfire\r\nP0171 Lean\r\n", false);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        if (row.withText && Text().empty()) ShowLiveData();
        const bool inVinBox = row.selection.first < 0;
        HWND control = inVinBox ? m_session.Control(IDC_EDIT_VIN) : Report();
        ClickInto(control, row.selection);
        ASSERT_TRUE(row.clipboardText ? WriteClipboardText("clipboard text")
                                      : WaitUntil([] { return OpenClipboard(nullptr) && EmptyClipboard() && CloseClipboard(); }));
        HWND menu = OpenMenu(row.open, control);
        if (row.selection.second > row.selection.first) SaveScreenshot(menu, "viewer-menu");
        const std::string items = EnabledItems(menu);
        EXPECT_EQ(row.expected, inVinBox ? std::to_string(std::count(items.begin(), items.end(), '1')) : items) << items;
        Choose(menu, "Escape");
        EXPECT_TRUE(IsWindow(m_session.Dialog())) << "Esc in the menu closes only the menu";
    }

    const std::string text = Text();
    ClickInto(Report());
    Choose(OpenMenu("right-click", Report()), "a");
    const DWORD before = GetClipboardSequenceNumber();
    Choose(OpenMenu("shift+F10", Report()), "c");
    ASSERT_TRUE(WaitForClipboardChange(before));
    EXPECT_EQ("P0301 Misfire\r\nP0171 Lean", ReadClipboardText().value_or("<none>")) << "the whole text, CR LF";
    SendMessageA(Report(), EM_SETSEL, 0, 6);
    Choose(OpenMenu("right-click", Report()), "t");
    EXPECT_EQ("Misfire\rP0171 Lean", Text());
    EXPECT_EQ("P0301 ", ReadClipboardText().value_or("<none>"));
    Choose(OpenMenu("Menu", Report()), "u");
    EXPECT_EQ(text, Text()) << "Undo puts the cut text back";
}

// Notes typed into a report outlive another view: the status line says Ctrl+Z brings them back,
// and it does, after the view's own typing is undone. Ctrl+V pastes at the caret.
TEST_F(Viewer, CtrlZBringsBackNotesAViewReplaced)
{
    m_device.Write("DTC.DAT", "P0420 Catalyst\r\n");
    Start("P0301 Misfire\r\n");
    ClickInto(Report(), {-1, -1});
    ASSERT_TRUE(WriteClipboardText(" P0171"));
    ASSERT_TRUE(Xdotool({"type", " checked"}) && PressKeys("ctrl+v"));
    ASSERT_TRUE(WaitUntil([&] { return Text() == "P0301 Misfire checked P0171"; })) << Text();
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE));
    ASSERT_TRUE(WaitUntil([&] { return Text() == "P0420 Catalyst"; })) << Text();
    EXPECT_NE(std::string::npos, m_session.Text(IDC_STATIC_STATUS).find("Ctrl+Z")) << m_session.Text(IDC_STATIC_STATUS);
    ClickInto(Report(), {-1, -1});
    ASSERT_TRUE(Xdotool({"type", "X"}));
    ASSERT_TRUE(WaitUntil([&] { return Text() == "P0420 CatalystX"; })) << Text();
    for (const char* expected : {"P0420 Catalyst", "P0301 Misfire checked P0171"}) {
        ASSERT_TRUE(PressKeys("ctrl+z"));
        EXPECT_TRUE(WaitUntil([&] { return Text() == expected; })) << Text();
    }
    EXPECT_TRUE(ShowsOnlyBlue(m_session, IDC_BTN_LIVE_DATA)) << "the notes' view is marked again";
}

// The character range of the n-th occurrence of `bytes` in the viewer's text (paragraph
// breaks as bare CRs); a double-byte character counts as one character.
Range Occurrence(const std::string& text, const std::string& bytes, int n)
{
    size_t at = text.find(bytes);
    while (at != std::string::npos && n-- > 0) at = text.find(bytes, at + 1);
    if (at == std::string::npos) return {-1, -1};
    const auto characters = [&](size_t count) {
        return static_cast<long>(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(count), nullptr, 0));
    };
    return {characters(at), characters(at + bytes.size())};
}

TEST_F(Viewer, FindInAFortyThousandLineReport)
{
    const std::string gbkWord = "\xD7\xAA\xCB\xD9";  // 转速, the end of 发动机转速
    std::string report;
    for (int i = 0; i < 40000; ++i) {
        report += i == 5 ? "\xB7\xA2\xB6\xAF\xBB\xFA" + gbkWord + "\t812 rpm"
                         : "Line " + std::to_string(i) + "\tvalue " + std::to_string(i * 7 % 1000);
        report += i == 100 || i == 20000 || i == 39990 ? " P0420\r\n" : "\r\n";
    }
    Start(report);
    const std::string text = Text();
    const Range first = Occurrence(text, "P0420", 0), second = Occurrence(text, "P0420", 1),
                third = Occurrence(text, "P0420", 2), inGbk = Occurrence(text, gbkWord, 0);
    ClickInto(Report());

    struct Row {
        const char* what;
        const char* keys;  // ctrl+f: Find Next in the Find dialog, looking for `sought`
        std::string sought;
        bool up, wholeWord, matchCase;
        Range expected;
    };
    const Row rows[] = {
        {"Find selects the first occurrence", "ctrl+f", "P0420", false, false, false, first},
        {"F3: the next", "F3", "", false, false, false, second},
        {"F3: the one after", "F3", "", false, false, false, third},
        {"F3 wraps around to the first", "F3", "", false, false, false, first},
        {"Shift+F3 wraps back to the last", "shift+F3", "", false, false, false, third},
        {"Shift+F3: the previous", "shift+F3", "", false, false, false, second},
        {"not found: the selection stays", "ctrl+f", "P9999", false, false, false, second},
        {"match case: another case is not found", "ctrl+f", "p0420", false, false, true, second},
        {"without match case it is", "ctrl+f", "p0420", false, false, false, third},
        {"whole word: part of a word is not found", "ctrl+f", "P042", false, true, false, third},
        {"up", "ctrl+f", "P0420", true, false, false, second},
        {"a GBK word", "ctrl+f", gbkWord, false, false, false, inGbk},
        {"a byte pair across two GBK characters is no match", "ctrl+f", "\xA2\xB6", false, false, false, inGbk},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const Range before = Selection();
        if (row.sought.empty()) {
            ASSERT_TRUE(PressKeys(row.keys));
        } else {
            HWND find = PressForDialog(row.keys);
            ASSERT_TRUE(find) << "no Find dialog";
            EXPECT_TRUE(before.first == before.second || ControlText(find, kFindWhat) == (before == inGbk ? gbkWord : "P0420"))
                << "filled with the selection";
            SetDlgItemTextA(find, kFindWhat, row.sought.c_str());
            for (auto [box, checked] : {std::pair{kWholeWord, row.wholeWord}, {kMatchCase, row.matchCase}, {kUp, row.up}, {kDown, !row.up}})
                CheckDlgButton(find, box, checked);
            if (&row == rows) SaveScreenshot(find, "find-dialog");
            ASSERT_TRUE(PressKeys("Return"));  // Find Next, the dialog's default button
            ASSERT_TRUE(WaitUntilIdle(m_session.Dialog()));
            if (&row == rows) SaveScreenshot(m_session.Dialog(), "find-match");
            ASSERT_TRUE(PressKeys("Escape") && WaitUntil([&] { return !IsWindow(find); })) << "Esc closes the Find dialog";
        }
        ASSERT_TRUE(WaitUntilIdle(m_session.Dialog()));
        EXPECT_EQ(row.expected, Selection());
    }
    // An edit after a search: the next search looks at the text as it is now.
    ClickInto(Report());
    ASSERT_TRUE(PressKeys("ctrl+End") && WaitUntilIdle(m_session.Dialog()));
    const long end = Selection().second;
    ASSERT_TRUE(Xdotool({"key", "space", "P", "0", "4", "2", "0"}) && WaitUntil([&] { return Selection().first == end + 6; }));
    HWND find = PressForDialog("ctrl+f");
    ASSERT_TRUE(find) << "no Find dialog";
    SetDlgItemTextA(find, kFindWhat, "P0420");
    CheckDlgButton(find, kUp, true);
    CheckDlgButton(find, kDown, false);
    ASSERT_TRUE(PressKeys("Return") && WaitUntilIdle(m_session.Dialog()));
    EXPECT_EQ(Range(end + 1, end + 6), Selection()) << "the P0420 typed last";
    EXPECT_TRUE(IsWindow(m_session.Dialog()));
}

// Enter in the viewer, and the keys the main window has whichever control has the focus.
TEST_F(Viewer, KeysOfTheMainWindow)
{
    Start("P0301 Misfire\r\n");
    ClickInto(m_session.Control(IDC_EDIT_VIN));
    HWND find = PressForDialog("ctrl+f");
    ASSERT_TRUE(find) << "Ctrl+F in the VIN box opens Find";
    ASSERT_TRUE(WaitUntil([&] { return Focus() == GetDlgItem(find, kFindWhat); }));
    ASSERT_TRUE(PressKeys("Tab"));
    EXPECT_TRUE(WaitUntil([&] { return Focus() != GetDlgItem(find, kFindWhat) && GetParent(Focus()) == find; }))
        << "Tab moves on inside the Find dialog";
    ASSERT_TRUE(PressKeys("Escape") && WaitUntil([&] { return !IsWindow(find); }));

    ClickInto(Report(), {-1, -1});
    ASSERT_TRUE(Xdotool({"key", "Return", "X"}));
    ASSERT_TRUE(WaitUntil([&] { return Text() == "P0301 Misfire\rX"; })) << Text();
    EXPECT_TRUE(m_session.Process().Running()) << "Enter in the viewer ends nothing";
    ASSERT_TRUE(PressKeys("ctrl+a"));
    // All 15 characters and the closing paragraph mark the control keeps after them.
    EXPECT_TRUE(WaitUntil([&] { return Selection() == Range{0, 16}; })) << "Ctrl+A: " << ::testing::PrintToString(Selection());

    HWND preview = PressForDialog("ctrl+F2");
    ASSERT_TRUE(preview && GetDlgItem(preview, IDC_PREVIEW_PAGE)) << "Ctrl+F2 opens the print preview";
    RECT work{}, opened{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0), GetWindowRect(preview, &opened);
    EXPECT_GE((opened.bottom - opened.top) * 4, (work.bottom - work.top) * 3) << "the preview opens large enough to read";
    ASSERT_TRUE(PressKeys("Escape") && WaitUntil([&] { return !IsWindow(preview); }));
    // Without a window manager Wine may leave no window active once the preview has gone; a
    // click gives the main window the keyboard again, as it would give a user.
    ClickInto(Report());

    ASSERT_TRUE(PressKeys("ctrl+p"));
    HWND print = WaitForPrintDialog(m_session);
    ASSERT_TRUE(print);
    EXPECT_TRUE(ShowsOnlyBlue(m_session, IDC_BTN_PRINT)) << "Ctrl+P is a click on Print";
    ASSERT_TRUE(PressKeys("ctrl+f"));
    ASSERT_TRUE(WaitUntilIdle(m_session.Dialog()));
    for (HWND window : WindowsOfProcess(m_session.Process().Id()))
        EXPECT_FALSE(window != print && IsWindowVisible(window) && GetWindow(window, GW_OWNER) == m_session.Dialog())
            << "the print dialog keeps its own keys";
    ASSERT_TRUE(Answer(m_session, print, IDCANCEL));

    // Print... from the viewer's menu runs once the menu is closed, modal to the main window.
    Choose(OpenMenu("right-click", Report()), "r");
    print = WaitForPrintDialog(m_session);
    ASSERT_TRUE(print);
    EXPECT_FALSE(IsWindowEnabled(m_session.Dialog()));
    ASSERT_TRUE(Answer(m_session, print, IDCANCEL));
    EXPECT_TRUE(m_session.Process().Running());

    // So does Workshop Details....
    Choose(OpenMenu("right-click", Report()), "w");
    const HWND details = WaitForVisibleWindow(m_session.Process().Id(), kDialogClass, m_session.Dialog());
    ASSERT_TRUE(details && GetDlgItem(details, IDC_WORKSHOP_NAME)) << "no Workshop Details";
    ASSERT_TRUE(ClickButton(details, IDCANCEL));
}

}  // namespace
}  // namespace e2e
