// The frameless main window: its background, white labels and EXIT cross as the
// screen shows them, dragging it by its background with the real mouse, and the ways it ends.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "tests/e2e/RunningProgram.h"
#include "tests/e2e/ProgramEnd.h"
#include "tests/e2e/UserInput.h"

namespace e2e {
namespace {

// Colours of the background.
constexpr COLORREF kTopBar = RGB(55, 55, 55);  // also the left panel and the EXIT picture's ground
constexpr COLORREF kBody = RGB(76, 76, 76);
constexpr COLORREF kSlot = RGB(86, 86, 86);  // the button slots
constexpr COLORREF kWhite = RGB(255, 255, 255);

std::string Rgb(COLORREF c)
{
    return "rgb(" + std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," +
           std::to_string(GetBValue(c)) + ")";
}

bool IsGrey(COLORREF c) { return GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c); }

POINT Offset(POINT p, int dx, int dy) { return {p.x + dx, p.y + dy}; }

POINT TopLeft(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left, r.top};
}

POINT ClientToScreenPoint(HWND window, POINT p)
{
    ClientToScreen(window, &p);
    return p;
}

// The middle of a control, in its dialog's client coordinates.
POINT MiddleOf(HWND dialog, int id)
{
    RECT r{};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

struct PicturePoint {
    const char* where;
    POINT inPicture;
    COLORREF colour;
};

// Flat places of the background that no control covers at any size below, in the window's
// pixels; negative ones count from its right or bottom edge, so that a part of the window left
// unpainted after a resize shows there.
constexpr PicturePoint kPicturePoints[] = {
    {"top bar, middle", {385, 10}, kTopBar},
    {"top bar, right", {-40, 20}, kTopBar},
    {"body, just below the top bar", {245, 48}, kBody},
    {"body, left margin", {4, 250}, kBody},
    {"body, right edge", {-1, 250}, kBody},
    {"body, bottom right corner", {-1, -1}, kBody},
    {"left panel, left of the buttons", {12, 250}, kTopBar},
};

void ExpectBackground(HWND dialog, const ScreenPicture& picture)
{
    for (const PicturePoint& point : kPicturePoints) {
        const POINT at = {point.inPicture.x < 0 ? picture.width + point.inPicture.x : point.inPicture.x,
                          point.inPicture.y < 0 ? picture.height + point.inPicture.y : point.inPicture.y};
        ASSERT_EQ(dialog, ChildWindowFromPointEx(dialog, at, CWP_SKIPINVISIBLE))
            << point.where << " is under a control: choose another point";
        EXPECT_EQ(Rgb(point.colour), Rgb(picture.At(at.x, at.y)))
            << point.where << " at " << at.x << "," << at.y << " of " << picture.width << "x" << picture.height;
    }
}

// Where a control is in the window's picture; empty when the window does not show all of it.
RECT PlaceOf(HWND dialog, int id, const ScreenPicture& picture)
{
    RECT r{};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    if (r.left < 0 || r.top < 0 || r.right > picture.width || r.bottom > picture.height) return {};
    return r;
}

// Text drawn straight onto the picture: only the picture's colours and white, with the greys
// between them where the letters are smoothed; a box behind the text or dark text would bring
// other colours, and a label painted over would leave no white.
void ExpectWhiteLabel(const char* name, const ScreenPicture& picture, const RECT& place)
{
    SCOPED_TRACE(name);
    size_t onPicture = 0, white = 0, other = 0, all = 0;
    for (int y = place.top; y < place.bottom; ++y)
        for (int x = place.left; x < place.right; ++x, ++all) {
            const COLORREF pixel = picture.At(x, y);
            if (pixel == kTopBar || pixel == kBody || pixel == kSlot)
                ++onPicture;
            else if (pixel == kWhite)
                ++white;
            else if (!IsGrey(pixel) || GetRValue(pixel) < GetRValue(kTopBar))
                ++other;
        }
    EXPECT_GT(white, 20u) << "no white letters";
    EXPECT_EQ(0u, other) << "colours that are neither the picture nor white";
    EXPECT_GT(onPicture, all / 2) << "the picture does not show around the letters";
}

void ExpectSystemEditColours(const ScreenPicture& picture, const RECT& place)
{
    // The box is empty without a device: inside its border only the caret may differ from the
    // edit's own ground.
    const COLORREF editGround = GetSysColor(COLOR_WINDOW);
    size_t ground = 0, all = 0;
    for (int y = place.top + 2; y < place.bottom - 2; ++y)
        for (int x = place.left + 2; x < place.right - 2; ++x, ++all) ground += picture.At(x, y) == editGround;
    EXPECT_GT(ground, all * 9 / 10) << "VIN box ground is not " << Rgb(editGround);
}

// The 23 x 23 EXIT picture: a white cross on the top bar's grey, inside the button's frame.
void ExpectExitCross(const ScreenPicture& picture, const RECT& place)
{
    int left = place.right, top = place.bottom, right = -1, bottom = -1;
    for (int y = place.top; y < place.bottom; ++y)
        for (int x = place.left; x < place.right; ++x)
            if (picture.At(x, y) == kTopBar) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    ASSERT_EQ(23, right - left + 1) << "EXIT picture's width";
    ASSERT_EQ(23, bottom - top + 1) << "EXIT picture's height";
    struct Spot {
        POINT at;
        bool white;
    };
    const Spot spots[] = {
        {{11, 11}, true},  {{7, 7}, true},   {{15, 15}, true}, {{15, 7}, true},   {{7, 15}, true},
        {{2, 2}, false},   {{20, 2}, false}, {{2, 20}, false}, {{20, 20}, false}, {{11, 5}, false},
        {{11, 17}, false}, {{5, 11}, false}, {{17, 11}, false},
    };
    for (const Spot& spot : spots) {
        const COLORREF pixel = picture.At(left + spot.at.x, top + spot.at.y);
        if (spot.white)
            EXPECT_TRUE(IsGrey(pixel) && GetRValue(pixel) > 200) << "EXIT " << spot.at.x << "," << spot.at.y << " is " << Rgb(pixel);
        else
            EXPECT_EQ(Rgb(kTopBar), Rgb(pixel)) << "EXIT " << spot.at.x << "," << spot.at.y;
    }
}

class Skin : public RunningProgram {};

// The window as the screen shows it, as the template makes it and after the test resizes it:
// the background over all of it, the labels white on it, the VIN box in the system's
// colours and the EXIT cross.
TEST_F(Skin, LooksAsDrawnAtEverySize)
{
    struct WindowSize {
        const char* name;
        int width, height;  // 0: as the dialog template makes it
        bool showsStatus;    // the controls keep their places, so a shorter window cuts the status line off
    };
    const WindowSize sizes[] = {
        {"as made", 0, 0, true},
        {"wider and taller", 1100, 760, true},
        {"wider and shorter", 900, 430, false},
    };
    ASSERT_TRUE(m_session.Start());
    const HWND dialog = m_session.Dialog();
    {
        RECT client{}, exitPlace{};
        GetClientRect(dialog, &client);
        GetWindowRect(m_session.Control(IDC_BTN_EXIT), &exitPlace);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&exitPlace), 2);
        EXPECT_LT(client.right - exitPlace.right, 12) << "EXIT is not at the right edge";
        EXPECT_LT(exitPlace.top, 12) << "EXIT is not at the top";
    }
    for (const WindowSize& size : sizes) {
        SCOPED_TRACE(size.name);
        // Resized at the screen's corner, so that all of it stays on the screen to be read.
        if (size.width) {
            ASSERT_TRUE(SetWindowPos(dialog, nullptr, 0, 0, size.width, size.height, SWP_NOZORDER | SWP_NOACTIVATE));
        }
        // No frame takes room from the client area: the background covers the window to its edges.
        RECT window{}, client{};
        GetWindowRect(dialog, &window);
        GetClientRect(dialog, &client);
        ASSERT_EQ(window.right - window.left, client.right);
        ASSERT_EQ(window.bottom - window.top, client.bottom);
        ASSERT_EQ(window.left, ClientToScreenPoint(dialog, {0, 0}).x);
        ASSERT_EQ(window.top, ClientToScreenPoint(dialog, {0, 0}).y);
        if (size.width) {
            ASSERT_EQ(size.width, client.right);
            ASSERT_EQ(size.height, client.bottom);
        }

        const auto picture = CaptureSettledWindow(dialog);
        ASSERT_TRUE(picture.has_value());
        SaveScreenshot(dialog, std::string("skin ") + size.name);
        ExpectBackground(dialog, *picture);
        ExpectWhiteLabel("title", *picture, PlaceOf(dialog, IDC_STATIC_TITLE, *picture));
        if (size.showsStatus) ExpectWhiteLabel("status", *picture, PlaceOf(dialog, IDC_STATIC_STATUS, *picture));
        ExpectSystemEditColours(*picture, PlaceOf(dialog, IDC_EDIT_VIN, *picture));
        ExpectExitCross(*picture, PlaceOf(dialog, IDC_BTN_EXIT, *picture));
    }
}

// Pressing the left button on the dialog's own surface and moving the mouse moves the window
// by the mouse's movement: the pressed point stays under the pointer at every step. The mouse
// goes in small steps, as a hand moves it: the dialog takes no capture, so a jump that lands
// on a control before the window has caught up ends the drag, by design.
TEST_F(Skin, DraggingTheBackgroundMovesTheWindow)
{
    ASSERT_TRUE(m_session.Start());
    const HWND dialog = m_session.Dialog();
    struct Press {
        const char* where;
        POINT inClient;
    };
    const Press presses[] = {
        {"top bar", {384, 20}},
        {"body, bottom right", {600, 525}},
        {"title text", MiddleOf(dialog, IDC_STATIC_TITLE)},
        {"status text", Offset(MiddleOf(dialog, IDC_STATIC_STATUS), -150, 0)},
    };
    // Where the pointer goes, relative to the pressed point.
    const SIZE waypoints[] = {{60, 40}, {150, 90}, {110, 20}};
    constexpr int kStep = 6;
    for (const Press& press : presses) {
        SCOPED_TRACE(press.where);
        // Each drag starts from the same place, so that every move stays on the screen.
        ASSERT_TRUE(SetWindowPos(dialog, nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
        const POINT windowAtPress = TopLeft(dialog);
        const POINT pressed = ClientToScreenPoint(dialog, press.inClient);
        ASSERT_TRUE(MouseMoveTo(pressed));
        LeftButtonReleaser releaser;
        ASSERT_TRUE(MouseLeftButton(true));
        SIZE moved = {0, 0};
        for (const SIZE& waypoint : waypoints) {
            const int steps = std::max(std::abs(waypoint.cx - moved.cx), std::abs(waypoint.cy - moved.cy)) / kStep + 1;
            const SIZE from = moved;
            for (int i = 1; i <= steps; ++i) {
                moved = {from.cx + (waypoint.cx - from.cx) * i / steps, from.cy + (waypoint.cy - from.cy) * i / steps};
                const POINT pointer = Offset(pressed, moved.cx, moved.cy);
                const POINT expected = Offset(windowAtPress, moved.cx, moved.cy);
                ASSERT_TRUE(MouseMoveTo(pointer));
                ASSERT_TRUE(WaitUntil([&] {
                    const POINT now = TopLeft(dialog);
                    return now.x == expected.x && now.y == expected.y;
                })) << "pointer moved by " << moved.cx << "," << moved.cy << ": window at " << TopLeft(dialog).x
                    << "," << TopLeft(dialog).y << ", expected " << expected.x << "," << expected.y;
                POINT under = pointer;
                ScreenToClient(dialog, &under);
                ASSERT_EQ(press.inClient.x, under.x) << "the pressed point left the pointer";
                ASSERT_EQ(press.inClient.y, under.y) << "the pressed point left the pointer";
            }
        }
        ASSERT_TRUE(MouseLeftButton(false));
    }
}

// The VIN box takes the mouse itself: pressing in it and moving selects text instead.
TEST_F(Skin, PressingOnTheVinBoxDoesNotDrag)
{
    StartWithDevice();
    const HWND dialog = m_session.Dialog();
    const HWND vin = m_session.Control(IDC_EDIT_VIN);
    ASSERT_EQ(17u, m_session.Text(IDC_EDIT_VIN).size());
    const POINT windowBefore = TopLeft(dialog);
    RECT box{};
    GetWindowRect(vin, &box);
    const POINT pressed = {box.left + 4, (box.top + box.bottom) / 2};
    ASSERT_TRUE(MouseMoveTo(pressed));
    LeftButtonReleaser releaser;
    ASSERT_TRUE(MouseLeftButton(true));
    ASSERT_TRUE(MouseMoveTo(Offset(pressed, 60, 6)));
    // Part of the VIN selected from its start means the box has had the press and the move.
    DWORD selection = 0;
    EXPECT_TRUE(WaitUntil([&] {
        selection = static_cast<DWORD>(SendMessageA(vin, EM_GETSEL, 0, 0));
        return LOWORD(selection) == 0 && HIWORD(selection) > 0 && HIWORD(selection) < 17;
    })) << "selection " << LOWORD(selection) << "-" << HIWORD(selection);
    ASSERT_TRUE(MouseLeftButton(false));
    EXPECT_EQ(windowBefore.x, TopLeft(dialog).x);
    EXPECT_EQ(windowBefore.y, TopLeft(dialog).y);
}

TEST_F(Skin, ExitEndsTheProgram)
{
    ASSERT_TRUE(m_session.Start());
    ASSERT_TRUE(MouseClickAt(ClientToScreenPoint(m_session.Dialog(), MiddleOf(m_session.Dialog(), IDC_BTN_EXIT))));
    EXPECT_TRUE(EndsCleanly(m_session));
}

// Esc and Enter end nothing (the viewer's own rows are with the reports); Alt+F4 ends the program.
TEST_F(Skin, AltF4EndsTheProgramAndEscAndEnterDoNot)
{
    ASSERT_TRUE(m_session.Start());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == m_session.Dialog(); }));
    ASSERT_TRUE(PressKeys("Escape") && PressKeys("Return") && WaitUntilIdle(m_session.Dialog()));
    ASSERT_TRUE(PressKeys("alt+F4"));
    EXPECT_TRUE(EndsCleanly(m_session));
}

}  // namespace
}  // namespace e2e
