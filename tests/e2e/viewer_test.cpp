// The report viewer as a user works in it: its context menu, Find, Enter, and the main window's keys.
#include <gtest/gtest.h>
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/MardelloSession.h"
#include "tests/e2e/PrintDialog.h"
#include "tests/e2e/UserInput.h"

namespace e2e {
namespace {

constexpr const char* kMenuClass = "#32768";
// The Find dialog's controls, as the common dialog library names them.
constexpr int kFindWhat = 0x480;
constexpr int kWholeWord = 0x410;
constexpr int kMatchCase = 0x411;
constexpr int kUp = 0x420;
constexpr int kDown = 0x421;

using Range = std::pair<long, long>;

class Viewer : public ::testing::Test {
protected:
    // Starts the program with `report` as the live data, shown in the viewer unless empty.
    void Start(const std::string& report)
    {
        if (!report.empty()) m_device.Write("CDS.DAT", report);
        ASSERT_TRUE(m_drives.Define('E', DriveKind::Removable, m_device.Unix()));
        ASSERT_TRUE(m_session.Start());
        if (!report.empty()) {
            ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_LIVE_DATA));
        }
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == m_session.Dialog(); }));
    }
    HWND Report() const { return m_session.Control(IDC_RICHEDIT_REPORT); }
    std::string Text() const { return RichEditText(m_session.Dialog(), IDC_RICHEDIT_REPORT).value_or("<unreadable>"); }
    Range Selection() const { return RichEditSelection(m_session.Dialog(), IDC_RICHEDIT_REPORT).value_or(Range{-9, -9}); }
    HWND Focus() const
    {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(GetWindowThreadProcessId(m_session.Dialog(), nullptr), &info) ? info.hwndFocus : nullptr;
    }
    // Clicks into a control, which takes the focus, and selects a range of the viewer.
    void ClickInto(HWND control, Range selection = {0, 0})
    {
        RECT place;
        GetWindowRect(control, &place);
        ASSERT_TRUE(MouseClickAt({place.left + 20, place.top + 10}));
        ASSERT_TRUE(WaitUntil([&] { return Focus() == control; }));
        if (control == Report()) SendMessageA(Report(), EM_SETSEL, selection.first, selection.second);
    }
    HWND FindDialog() { return WaitForVisibleWindow(m_session.Process().Id(), kDialogClass, m_session.Dialog()); }
    // Opens the viewer's menu with a right-click into it, or with a key from inside it.
    enum class Open { RightClick, ShiftF10, MenuKey };
    HWND OpenMenu(Open how, HWND control)
    {
        if (how == Open::RightClick) {
            RECT place;
            GetWindowRect(control, &place);
            EXPECT_TRUE(MouseMoveTo({place.left + 60, (place.top + place.bottom) / 2}));
            EXPECT_TRUE(Xdotool({"click", "3"}));
        } else {
            EXPECT_TRUE(PressKeys(how == Open::ShiftF10 ? "shift+F10" : "Menu"));
        }
        return WaitForVisibleWindow(m_session.Process().Id(), kMenuClass);
    }
    // Chooses an item of the open menu by its underlined letter (or closes it with Escape).
    void Choose(HWND menu, const char* letter)
    {
        ASSERT_TRUE(menu) << "no menu opened";
        ASSERT_TRUE(PressKeys(letter));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }));
        ASSERT_TRUE(WaitUntilIdle(m_session.Dialog()));
    }

    DeviceFolder m_device;
    DriveTable m_drives;
    MardelloSession m_session;
};

// Which items of the open menu are enabled, '1' or '0' each, as the screen shows them: an item is
// a band of rows with text, black when enabled and grey when not; a separator is a thinner line.
std::string EnabledItems(HWND menu)
{
    std::string enabled;
    auto picture = CaptureSettledWindow(menu);
    if (!picture) return enabled;
    const COLORREF black = GetSysColor(COLOR_MENUTEXT), grey = GetSysColor(COLOR_GRAYTEXT);
    int bandRows = 0;
    bool sawBlack = false;
    for (int y = 0; y <= picture->height; ++y) {
        bool rowBlack = false, rowGrey = false;
        for (int x = 4; y < picture->height && x < picture->width - 4; ++x) {  // inside the frame
            rowBlack |= picture->At(x, y) == black;
            rowGrey |= picture->At(x, y) == grey;
        }
        if (rowBlack || rowGrey) {
            ++bandRows;
            sawBlack |= rowBlack;
            continue;
        }
        if (bandRows > 3) enabled += sawBlack ? '1' : '0';
        bandRows = 0;
        sawBlack = false;
    }
    return enabled;
}

bool EmptyTheClipboard() { return WaitUntil([] { return OpenClipboard(nullptr) && EmptyClipboard() && CloseClipboard(); }); }

TEST_F(Viewer, MenuItemsAreEnabledWhenTheyCanAct)
{
    struct Row {
        const char* what;
        bool withText;
        Range selection;
        bool clipboardText;
        Open open;
        const char* expected;  // Undo Cut Copy Paste Delete SelectAll Find PrintPreview Print
    };
    const Row rows[] = {
        {"empty viewer", false, {0, 0}, false, Open::RightClick, "000000011"},
        {"text, nothing selected", true, {3, 3}, false, Open::ShiftF10, "000001111"},
        {"a selection", true, {3, 9}, false, Open::RightClick, "011011111"},
        {"text on the clipboard", true, {3, 3}, true, Open::MenuKey, "000101111"},
        // The system's own menu, in the system's language; its lines of Chinese text may touch,
        // so only its enabled items are counted: Select All alone, where ours would have four.
        {"the VIN box keeps the system's menu", true, {-1, -1}, false, Open::RightClick, "1"},
    };
    m_device.Write("CDS.DAT", "P0301 Misfire\r\nP0171 Lean\r\n");
    Start("");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        if (row.withText && Text().empty()) {
            ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_LIVE_DATA));
        }
        const bool inVinBox = row.selection.first < 0;
        HWND control = inVinBox ? m_session.Control(IDC_EDIT_VIN) : Report();
        ClickInto(control, row.selection);
        ASSERT_TRUE(row.clipboardText ? WriteClipboardText("clipboard text") : EmptyTheClipboard());
        HWND menu = OpenMenu(row.open, control);
        if (row.selection.second > row.selection.first) SaveScreenshot(menu, "viewer-menu");
        const std::string items = EnabledItems(menu);
        if (inVinBox) EXPECT_EQ(1, std::count(items.begin(), items.end(), '1')) << items;
        else EXPECT_EQ(row.expected, items);
        Choose(menu, "Escape");
        EXPECT_TRUE(IsWindow(m_session.Dialog())) << "Esc in the menu closes only the menu";
    }
}

TEST_F(Viewer, MenuCopiesCutsAndUndoes)
{
    Start("P0301 Misfire\r\nP0171 Lean\r\n");
    const std::string text = Text();
    ClickInto(Report());
    Choose(OpenMenu(Open::RightClick, Report()), "a");
    const DWORD before = GetClipboardSequenceNumber();
    Choose(OpenMenu(Open::ShiftF10, Report()), "c");
    ASSERT_TRUE(WaitForClipboardChange(before));
    EXPECT_EQ("\r\nP0301 Misfire\r\nP0171 Lean", ReadClipboardText().value_or("<none>")) << "the whole text, CR LF";

    SendMessageA(Report(), EM_SETSEL, 1, 7);
    Choose(OpenMenu(Open::RightClick, Report()), "t");
    EXPECT_EQ("\rMisfire\rP0171 Lean", Text());
    EXPECT_EQ("P0301 ", ReadClipboardText().value_or("<none>"));
    Choose(OpenMenu(Open::MenuKey, Report()), "u");
    EXPECT_EQ(text, Text()) << "Undo puts the cut text back";
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
    const std::string engineSpeed = "\xB7\xA2\xB6\xAF\xBB\xFA\xD7\xAA\xCB\xD9";  // 发动机转速
    std::string report;
    for (int i = 0; i < 40000; ++i) {
        report += i == 5 ? engineSpeed + "\t812 rpm" : "Line " + std::to_string(i) + "\tvalue " + std::to_string(i * 7 % 1000);
        report += i == 100 || i == 20000 || i == 39990 ? " P0420\r\n" : "\r\n";
    }
    Start(report);
    const std::string text = Text();
    const Range first = Occurrence(text, "P0420", 0), second = Occurrence(text, "P0420", 1),
                third = Occurrence(text, "P0420", 2), gbkWord = Occurrence(text, "\xD7\xAA\xCB\xD9", 0);
    ClickInto(Report());

    enum class Key { FindDialog, F3, ShiftF3 };
    struct Row {
        const char* what;
        Key key;
        std::string sought;
        bool up, wholeWord, matchCase;
        Range expected;
    };
    const Row rows[] = {
        {"Find selects the first occurrence", Key::FindDialog, "P0420", false, false, false, first},
        {"F3: the next", Key::F3, "", false, false, false, second},
        {"F3: the one after", Key::F3, "", false, false, false, third},
        {"F3 wraps around to the first", Key::F3, "", false, false, false, first},
        {"Shift+F3 wraps back to the last", Key::ShiftF3, "", false, false, false, third},
        {"Shift+F3: the previous", Key::ShiftF3, "", false, false, false, second},
        {"not found: the selection stays", Key::FindDialog, "P9999", false, false, false, second},
        {"match case: another case is not found", Key::FindDialog, "p0420", false, false, true, second},
        {"without match case it is", Key::FindDialog, "p0420", false, false, false, third},
        {"whole word: part of a word is not found", Key::FindDialog, "P042", false, true, false, third},
        {"up", Key::FindDialog, "P0420", true, false, false, second},
        {"a GBK word", Key::FindDialog, "\xD7\xAA\xCB\xD9", false, false, false, gbkWord},
        {"a byte pair across two GBK characters is no match", Key::FindDialog, "\xA2\xB6", false, false, false, gbkWord},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        if (row.key == Key::FindDialog) {
            const Range before = Selection();
            ASSERT_TRUE(PressKeys("ctrl+f"));
            HWND find = FindDialog();
            ASSERT_TRUE(find) << "no Find dialog";
            const char* selected = before == first || before == second || before == third ? "P0420" : "\xD7\xAA\xCB\xD9";
            EXPECT_TRUE(before.first == before.second || ControlText(find, kFindWhat) == selected) << "filled with the selection";
            SendMessageA(GetDlgItem(find, kFindWhat), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(row.sought.c_str()));
            for (auto [box, checked] : {std::pair{kWholeWord, row.wholeWord}, {kMatchCase, row.matchCase}, {kUp, row.up},
                                        {kDown, !row.up}})
                SendMessageA(GetDlgItem(find, box), BM_SETCHECK, checked, 0);
            if (row.what == rows[0].what) SaveScreenshot(find, "find-dialog");
            ASSERT_TRUE(PressKeys("Return"));  // Find Next, the dialog's default button
            ASSERT_TRUE(WaitUntilIdle(m_session.Dialog()));
            if (row.what == rows[0].what) SaveScreenshot(m_session.Dialog(), "find-match");
            ASSERT_TRUE(PressKeys("Escape"));
            ASSERT_TRUE(WaitUntil([&] { return !IsWindow(find); })) << "Esc closes the Find dialog";
        } else {
            ASSERT_TRUE(PressKeys(row.key == Key::F3 ? "F3" : "shift+F3"));
            ASSERT_TRUE(WaitUntilIdle(m_session.Dialog()));
        }
        EXPECT_EQ(row.expected, Selection());
    }
    EXPECT_TRUE(IsWindow(m_session.Dialog()));
}

// Enter in the viewer, and the keys the main window has whichever control has the focus.
TEST_F(Viewer, KeysOfTheMainWindow)
{
    Start("P0301 Misfire\r\n");
    ClickInto(m_session.Control(IDC_EDIT_VIN));
    ASSERT_TRUE(PressKeys("ctrl+f"));
    HWND find = FindDialog();
    ASSERT_TRUE(find) << "Ctrl+F in the VIN box opens Find";
    ASSERT_TRUE(WaitUntil([&] { return Focus() == GetDlgItem(find, kFindWhat); }));
    ASSERT_TRUE(PressKeys("Tab"));
    EXPECT_TRUE(WaitUntil([&] { return Focus() != GetDlgItem(find, kFindWhat) && GetParent(Focus()) == find; }))
        << "Tab moves on inside the Find dialog";
    ASSERT_TRUE(PressKeys("Escape"));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(find); }));

    ClickInto(Report(), {-1, -1});
    ASSERT_TRUE(PressKeys("Return"));
    ASSERT_TRUE(PressKeys("X"));
    ASSERT_TRUE(WaitUntil([&] { return Text() == "\rP0301 Misfire\rX"; })) << Text();
    EXPECT_TRUE(m_session.Process().Running()) << "Enter in the viewer ends nothing";
    ASSERT_TRUE(PressKeys("ctrl+a"));
    // All 16 characters and the closing paragraph mark the control keeps after them.
    EXPECT_TRUE(WaitUntil([&] { return Selection() == Range{0, 17}; }))
        << "Ctrl+A selects all: " << Selection().first << "-" << Selection().second;

    ASSERT_TRUE(PressKeys("ctrl+F2"));
    HWND preview = FindDialog();
    ASSERT_TRUE(preview && GetDlgItem(preview, IDC_PREVIEW_PAGE)) << "Ctrl+F2 opens the print preview";
    ASSERT_TRUE(PressKeys("Escape"));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(preview); }));
    // Without a window manager Wine may leave no window active once the preview has gone; a
    // click gives the main window the keyboard again, as it would give a user.
    ClickInto(Report());

    ASSERT_TRUE(PressKeys("ctrl+p"));
    HWND print = WaitForPrintDialog(m_session);
    ASSERT_TRUE(print);
    EXPECT_TRUE(ShowsOnlyBlue(m_session, IDC_BTN_PRINT)) << "Ctrl+P is a click on Print";
    ASSERT_TRUE(PressKeys("ctrl+f"));
    ASSERT_TRUE(WaitUntilIdle(m_session.Dialog()));
    EXPECT_FALSE(FindVisibleWindow(m_session.Process().Id(), kDialogClass, m_session.Dialog()))
        << "the print dialog keeps its own keys";
    ASSERT_TRUE(Answer(m_session, print, IDCANCEL));
}

}  // namespace
}  // namespace e2e
