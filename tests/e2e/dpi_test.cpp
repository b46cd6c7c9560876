// The window at the display scales people use, 100% to 200%: Mardello started with the prefix's
// scale set to each, its window read from the screen.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>

#include "tests/e2e/MardelloSession.h"

namespace e2e {
namespace {

// The prefix's scale, which Wine reads when a program starts; 96 comes back however the test ends.
struct DisplayScale {
    explicit DisplayScale(DWORD dpi) : set(Write(dpi)) {}
    ~DisplayScale() { Write(96); }
    static bool Write(DWORD dpi) { return !RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD, &dpi, 4); }
    const bool set;
};

// The test's screen is smaller than the window at the largest scales: the window is moved, as a
// user would drag it, to bring the control near the screen's corner, and read once painted.
std::optional<ScreenPicture> ReadOnScreen(HWND dialog, int id)
{
    RECT window{}, control{};
    GetWindowRect(dialog, &window);
    GetWindowRect(GetDlgItem(dialog, id), &control);
    SetWindowPos(dialog, nullptr, window.left - control.left + 8, window.top - control.top + 8, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return CaptureSettledWindow(GetDlgItem(dialog, id));
}

bool IsLight(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) > 200; }
// The smallest box around the pixels within `box` that pass `test`.
template <typename Test>
RECT BoxOf(const ScreenPicture& picture, Test test, RECT box)
{
    RECT found = {box.right, box.bottom, box.left, box.top};
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            if (test(picture.At(x, y)))
                found = {std::min<LONG>(found.left, x), std::min<LONG>(found.top, y),
                         std::max<LONG>(found.right, x + 1), std::max<LONG>(found.bottom, y + 1)};
    return found;
}
int Height(const RECT& box) { return std::max<int>(0, box.bottom - box.top); }

// The fill colour's share in the bands above and below a button's label, inside its own 2-pixel
// edge: a picture smaller than its button leaves the button's face there.
double FillAroundLabel(HWND button, COLORREF fill)
{
    RECT c{};
    GetClientRect(button, &c);
    const RECT above = {2, 2, c.right - 2, c.bottom / 4}, below = {2, c.bottom - c.bottom / 4, c.right - 2, c.bottom - 2};
    return std::min(ShareOfColour(button, fill, &above), ShareOfColour(button, fill, &below));
}

TEST(DisplayScales, WindowLooksAsAt100Percent)
{
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    for (DWORD dpi : {96, 120, 144, 168, 192}) {
        SCOPED_TRACE(std::to_string(dpi) + " dpi");
        DisplayScale scale(dpi);
        ASSERT_TRUE(scale.set);
        MardelloSession session;
        ASSERT_TRUE(session.Start());
        const HWND dialog = session.Dialog();
        RECT window{};  // its top bar is what moves and closes it
        GetWindowRect(dialog, &window);
        EXPECT_GE(window.top, work.top) << "the window starts above the work area";
        if (dpi == 144 || dpi == 192) SaveScreenshot(dialog, "dpi " + std::to_string(dpi));

        for (int active : {IDC_BTN_PRINT_ALL, IDC_BTN_LIVE_DATA}) {
            ASSERT_TRUE(active == IDC_BTN_PRINT_ALL || ClickButton(dialog, active));
            ASSERT_TRUE(ReadOnScreen(dialog, IDC_BTN_PRINT_ALL));  // the six fit on the screen below it
            for (int id : kCommandButtons)
                EXPECT_GT(FillAroundLabel(session.Control(id), id == active ? kActiveBlue : kNormalGrey), 0.9) << "button " << id;
            EXPECT_TRUE(ShowsOnlyBlue(session, active));
        }

        // EXIT: the picture's ground reaches the button's edge, as the 23-pixel one does at 100%,
        // and the cross on it keeps its share of the button.
        const auto exit = ReadOnScreen(dialog, IDC_BTN_EXIT);
        ASSERT_TRUE(exit);
        const RECT ground = BoxOf(*exit, [](COLORREF c) { return c == RGB(55, 55, 55); }, {0, 0, exit->width, exit->height});
        EXPECT_GE(Height(ground), exit->height - 4) << "EXIT picture in a button " << exit->height << " high";
        EXPECT_NEAR(0.5, static_cast<double>(Height(BoxOf(*exit, IsLight, ground))) / exit->height, 0.1) << "EXIT cross";

        // The labels' letters, top to foot, grow from their height at 96 dpi in the 18-pixel font.
        for (const auto& [id, inkUnscaled] : {std::pair{IDC_STATIC_TITLE, 13}, {IDC_STATIC_STATUS, 17}}) {
            const auto label = ReadOnScreen(dialog, id);
            ASSERT_TRUE(label);
            const double expected = inkUnscaled * dpi / 96.0;
            EXPECT_NEAR(expected, Height(BoxOf(*label, IsLight, {0, 0, label->width, label->height})), expected * 0.12)
                << "letters of label " << id;
        }
    }
}

}  // namespace
}  // namespace e2e
