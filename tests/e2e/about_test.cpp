// The about box, opened by window-menu commands 0x0010 to 0x001F: what it shows (GBK text in a
// code-page-936 Wine), how it closes, the commands that do not open it, and what the frameless
// main window's window menu is.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/RunningProgram.h"
#include "tests/e2e/ProgramEnd.h"
#include "tests/e2e/UserInput.h"

namespace e2e {
namespace {

// "关于 Mardello", "Mardello，1.0 版" and "确定" in GBK.
const std::string kCaption = "\xB9\xD8\xD3\xDA Mardello";
const std::string kVersionLine = "Mardello\xA3\xAC" "1.0 \xB0\xE6";
const std::string kOk = "\xC8\xB7\xB6\xA8";

std::string TextOf(HWND window)
{
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::vector<HWND> ChildrenOf(HWND window)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

// The dialogs on the screen besides the main one: about boxes.
std::vector<HWND> AboutBoxes(MardelloSession& session)
{
    std::vector<HWND> boxes;
    for (HWND window : WindowsOfProcess(session.Process().Id()))
        if (window != session.Dialog() && IsWindowVisible(window) && ClassOf(window) == kDialogClass)
            boxes.push_back(window);
    return boxes;
}

// What the box shows, top to bottom: the application icon, the name and version, the legal
// line, and the default OK button.
void ExpectAboutBoxContent(HWND about)
{
    EXPECT_EQ(kCaption, TextOf(about));
    const std::vector<HWND> children = ChildrenOf(about);
    ASSERT_EQ(4u, children.size());
    EXPECT_EQ(SS_ICON, GetWindowLongA(children[0], GWL_STYLE) & SS_TYPEMASK);
    // The application icon: a blue tile with a white plug on it.
    const auto icon = CaptureSettledWindow(children[0]);
    ASSERT_TRUE(icon.has_value());
    size_t blue = 0, white = 0;
    for (COLORREF pixel : icon->pixels) blue += pixel == kActiveBlue, white += pixel == RGB(255, 255, 255);
    EXPECT_GT(blue, icon->pixels.size() * 3 / 10) << "the icon does not show the application icon";
    EXPECT_GT(white, icon->pixels.size() / 10) << "the icon does not show the application icon";
    EXPECT_EQ(kVersionLine, TextOf(children[1]));
    EXPECT_EQ(0u, TextOf(children[2]).rfind("Copyright (C) ", 0)) << "legal line: " << TextOf(children[2]);
    EXPECT_EQ(kOk, TextOf(children[3]));
    EXPECT_EQ(IDOK, GetDlgCtrlID(children[3]));
    EXPECT_EQ(BS_DEFPUSHBUTTON, GetWindowLongA(children[3], GWL_STYLE) & BS_TYPEMASK);
}

// A point of the about box's close box, found by asking the box what is where along its caption.
std::optional<POINT> CloseBoxOf(HWND about)
{
    RECT r{};
    GetWindowRect(about, &r);
    const int y = r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    for (int x = r.right - 1; x > r.left; --x) {
        DWORD_PTR hit = HTNOWHERE;
        SendMessageTimeoutA(about, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_NORMAL, kDefaultTimeoutMs, &hit);
        if (hit == HTCLOSE) return POINT{x - 4, y};
    }
    return std::nullopt;
}

class About : public RunningProgram {};

TEST_F(About, OpensFromItsWindowMenuCommandsAndCloses)
{
    enum class Close { Ok, Escape, CloseBox };
    struct Row {
        const char* name;
        WPARAM command;
        Close close;
    };
    const Row rows[] = {
        {"0x0010, closed with OK", 0x0010, Close::Ok},
        {"0x001F, closed with Esc", 0x001F, Close::Escape},
        {"0x0018, closed with the close box", 0x0018, Close::CloseBox},
    };
    ASSERT_TRUE(m_session.Start());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const HWND about = OpenFromSystemMenu(m_session, row.command);
        ASSERT_NE(nullptr, about) << "no about box";
        EXPECT_FALSE(IsWindowEnabled(m_session.Dialog())) << "the about box is not modal to the main window";
        RECT box{}, owner{};
        GetWindowRect(about, &box);
        GetWindowRect(m_session.Dialog(), &owner);
        EXPECT_NEAR(owner.left + owner.right, box.left + box.right, 1) << "not centred over the main window";
        EXPECT_NEAR(owner.top + owner.bottom, box.top + box.bottom, 1) << "not centred over the main window";
        ExpectAboutBoxContent(about);
        SaveScreenshot(about, "about");

        switch (row.close) {
        case Close::Ok: {
            RECT ok{};
            GetWindowRect(GetDlgItem(about, IDOK), &ok);
            ASSERT_TRUE(MouseClickAt({(ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2}));
            break;
        }
        case Close::Escape:
            ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == about; }));
            ASSERT_TRUE(PressKeys("Escape"));
            break;
        case Close::CloseBox: {
            const auto closeBox = CloseBoxOf(about);
            ASSERT_TRUE(closeBox.has_value()) << "no close box on the caption";
            ASSERT_TRUE(MouseClickAt(*closeBox));
            break;
        }
        }
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); })) << "the about box stays open";
        EXPECT_TRUE(IsWindowEnabled(m_session.Dialog()));
        ASSERT_TRUE(m_session.Process().Running());
        ASSERT_TRUE(WaitUntilIdle(m_session.Dialog()));
    }
}

// Commands outside 0x0010 to 0x001F go to the default processing, which has nothing to do
// for these. Each is posted followed by 0x0010 and then by a Cancel for the box that opens,
// and posted messages are handled in order: had the command opened a box, 0x0010 would open
// a second one inside it, and the Cancel would close only the first, which waits under it.
TEST_F(About, OtherCommandsDoNotOpenIt)
{
    const WPARAM commands[] = {0x0000, 0x000F, 0x00F0, 0x00FF, 0x0100, 0x0FF0};
    ASSERT_TRUE(m_session.Start());
    for (WPARAM command : commands) {
        SCOPED_TRACE("command " + std::to_string(command));
        ASSERT_TRUE(PostMessageA(m_session.Dialog(), WM_SYSCOMMAND, command, 0));
        ASSERT_TRUE(PostMessageA(m_session.Dialog(), WM_SYSCOMMAND, 0x0010, 0));
        ASSERT_TRUE(WaitUntil([&] { return !AboutBoxes(m_session).empty(); })) << "0x0010 opened no about box";
        ASSERT_TRUE(PostMessageA(AboutBoxes(m_session).front(), WM_COMMAND, IDCANCEL, 0));
        EXPECT_TRUE(WaitUntil([&] { return AboutBoxes(m_session).empty(); })) << "an about box stays open";
        ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(m_session.Dialog()); }));
    }
}

// Every other window-menu command behaves as usual: minimise (the minimised window shows the
// application icon in its middle), restore, close.
TEST_F(About, StandardWindowCommandsKeepTheirMeaning)
{
    ASSERT_TRUE(m_session.Start());
    const HWND dialog = m_session.Dialog();
    RECT normal{};
    GetWindowRect(dialog, &normal);

    // Minimised before Wine has taken in the X server's first notices about the new window,
    // the window is restored by them; once its picture has settled they are handled.
    ASSERT_TRUE(CaptureSettledWindow(dialog).has_value());
    ASSERT_TRUE(PostMessageA(dialog, WM_SYSCOMMAND, SC_MINIMIZE, 0));
    // The style changes first, the window's place and size after it.
    ASSERT_TRUE(WaitUntil([&] {
        RECT now{};
        GetWindowRect(dialog, &now);
        return IsIconic(dialog) && !EqualRect(&now, &normal);
    })) << "SC_MINIMIZE";
    RECT client{};
    GetClientRect(dialog, &client);
    const int iconWidth = GetSystemMetrics(SM_CXICON), iconHeight = GetSystemMetrics(SM_CYICON);
    RECT icon = {(client.right - iconWidth + 1) / 2, (client.bottom - iconHeight + 1) / 2, 0, 0};
    icon.right = icon.left + iconWidth;
    icon.bottom = icon.top + iconHeight;
    IntersectRect(&icon, &icon, &client);
    const auto picture = CaptureSettledWindow(dialog, &icon);
    ASSERT_TRUE(picture.has_value());
    SaveScreenshot(dialog, "minimised");
    size_t blue = 0;
    for (COLORREF pixel : picture->pixels) blue += pixel == kActiveBlue;
    EXPECT_GT(blue, picture->pixels.size() / 4) << "no application icon in the middle of the minimised window";

    ASSERT_TRUE(PostMessageA(dialog, WM_SYSCOMMAND, SC_RESTORE, 0));
    EXPECT_TRUE(WaitUntil([&] {
        RECT now{};
        GetWindowRect(dialog, &now);
        return !IsIconic(dialog) && EqualRect(&now, &normal);
    })) << "SC_RESTORE";

    ASSERT_TRUE(PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0));
    EXPECT_TRUE(EndsCleanly(m_session)) << "SC_CLOSE";
}

// The frameless main window has a window menu all the same: a right-click on the top bar opens
// it at the pointer, and its About entry opens the about box; Alt+Space opens it at the window's
// top left corner. At the start the VIN box has the caret after the VIN, not the VIN selected, so
// a stray key takes away one character at most, never the VIN.
TEST_F(About, WindowMenuFromTheTopBarAndAltSpace)
{
    StartWithDevice();
    const HWND dialog = m_session.Dialog();
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }));
    const std::string vin = m_session.Text(IDC_EDIT_VIN);
    ASSERT_TRUE(PressKeys("BackSpace"));
    EXPECT_TRUE(WaitUntil([&] { return m_session.Text(IDC_EDIT_VIN) == vin.substr(0, vin.size() - 1); }))
        << "VIN box: " << m_session.Text(IDC_EDIT_VIN);

    RECT window{}, vinBox{}, place{};
    GetWindowRect(dialog, &window);
    GetWindowRect(m_session.Control(IDC_EDIT_VIN), &vinBox);
    const POINT onTopBar{(window.left + window.right) / 2, (window.top + vinBox.top) / 2};
    ASSERT_TRUE(MouseMoveTo(onTopBar));
    ASSERT_TRUE(Xdotool({"click", "3"}));
    HWND menu = WaitForVisibleWindow(m_session.Process().Id(), "#32768");
    ASSERT_TRUE(menu) << "a right-click on the top bar opened no menu";
    GetWindowRect(menu, &place);
    EXPECT_NEAR(onTopBar.x, place.left, 2);
    EXPECT_NEAR(onTopBar.y, place.top, 2);
    // About is third from the end, below Wine's own About entry, which takes the letter A first.
    for (const char* key : {"Up", "Up", "Up", "Return"}) ASSERT_TRUE(PressKeys(key)) << key;
    ASSERT_TRUE(WaitUntil([&] { return !AboutBoxes(m_session).empty(); })) << "About opened no about box";
    const HWND about = AboutBoxes(m_session).front();
    ExpectAboutBoxContent(about);
    ASSERT_TRUE(PostMessageA(about, WM_COMMAND, IDCANCEL, 0));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about) && IsWindowEnabled(dialog); }));

    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }));
    ASSERT_TRUE(PressKeys("alt+space"));
    menu = WaitForVisibleWindow(m_session.Process().Id(), "#32768");
    ASSERT_TRUE(menu) << "Alt+Space opened no menu";
    GetWindowRect(menu, &place);
    EXPECT_NEAR(window.left, place.left, 2);
    EXPECT_NEAR(window.top, place.top, 2);
    ASSERT_TRUE(PressKeys("Escape"));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }));
}

// Each text of the about box fits its control whole, in the dialog's own font: a word wrapped
// onto a line below the control's height would be cut off unseen.
TEST_F(About, TextsFitTheirControls)
{
    const std::string exe = InstalledMardello();
    ASSERT_FALSE(exe.empty());
    const HMODULE resources = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, resources);
    const HWND about = CreateDialogParamA(resources, MAKEINTRESOURCEA(IDD_ABOUTBOX), nullptr, nullptr, 0);
    ASSERT_NE(nullptr, about);
    for (HWND child : ChildrenOf(about)) {
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        if (ClassOf(child) != "Static" || (style & SS_TYPEMASK) == SS_ICON) continue;
        const std::string text = TextOf(child);
        RECT room{};
        GetClientRect(child, &room);
        HDC dc = GetDC(child);
        const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0)));
        RECT needed = room;
        DrawTextA(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
        SelectObject(dc, previous);
        ReleaseDC(child, dc);
        EXPECT_LE(needed.bottom, room.bottom) << "\"" << text << "\" needs " << needed.bottom << " pixels of height, has "
                                              << room.bottom;
        EXPECT_LE(needed.right, room.right) << "\"" << text << "\" needs " << needed.right << " pixels of width, has "
                                            << room.right;
    }
    DestroyWindow(about);
    FreeLibrary(resources);
}

}  // namespace
}  // namespace e2e
