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
#include "ui/SmoothResize.h"

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
// user would drag it, to bring the control near the screen's corner, and read once painted, with
// `around` pixels of the window around it.
std::optional<ScreenPicture> ReadOnScreen(HWND dialog, int id, int around = 0)
{
    RECT window{}, control{};
    GetWindowRect(dialog, &window);
    GetWindowRect(GetDlgItem(dialog, id), &control);
    SetWindowPos(dialog, nullptr, window.left - control.left + 8 + around, window.top - control.top + 8 + around, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(GetDlgItem(dialog, id), &control);  // moved, its border included
    MapWindowPoints(nullptr, GetDlgItem(dialog, id), reinterpret_cast<POINT*>(&control), 2);
    InflateRect(&control, around, around);
    return CaptureSettledWindow(GetDlgItem(dialog, id), &control);
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

// How far the colour runs outward from the middle of each side of the control read with `around`
// pixels around it: left, top, right, bottom.
std::vector<int> RunsAround(const ScreenPicture& picture, int around, COLORREF colour)
{
    const int w = picture.width, h = picture.height;
    const POINT from[] = {{around - 1, h / 2}, {w / 2, around - 1}, {w - around, h / 2}, {w / 2, h - around}};
    const POINT step[] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
    std::vector<int> runs(4);
    for (int side = 0; side < 4; ++side)
        for (POINT p = from[side]; p.x >= 0 && p.y >= 0 && p.x < w && p.y < h && picture.At(p.x, p.y) == colour;
             p.x += step[side].x, p.y += step[side].y)
            ++runs[side];
    return runs;
}

// A picture from the program's resources, as rows of 0x00RRGGBB.
std::vector<uint32_t> PictureOf(UINT id, PixelSize& size)
{
    const HMODULE exe = LoadLibraryExA(InstalledMardello().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const auto picture = static_cast<HBITMAP>(LoadImageA(exe, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP b{};
    GetObjectA(picture, sizeof b, &b);
    BITMAPINFO format{{sizeof(BITMAPINFOHEADER), b.bmWidth, -b.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    std::vector<uint32_t> pixels(static_cast<size_t>(b.bmWidth) * b.bmHeight);
    const HDC screen = GetDC(nullptr);
    GetDIBits(screen, picture, 0, b.bmHeight, pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen), DeleteObject(picture), FreeLibrary(exe);
    size = {b.bmWidth, b.bmHeight};
    return pixels;
}

// How many pixels inside the button's 2-pixel edge differ from its picture: the one drawn at its
// own size (`id`) where the room is that size, otherwise the double-size one (`largeId`) averaged
// to the room.
int UnlikeItsPicture(const ScreenPicture& button, int around, UINT id, UINT largeId)
{
    const int w = button.width - 2 * around - 4, h = button.height - 2 * around - 4;
    PixelSize own{}, large{};
    std::vector<uint32_t> expected = PictureOf(id, own);
    if (own.width != w || own.height != h) expected = SmoothResize(PictureOf(largeId, large), large, {w, h});
    if (expected.size() != static_cast<size_t>(w * h)) return w * h;
    int unlike = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t e = expected[static_cast<size_t>(y * w + x)];
            unlike += RGB(e >> 16, e >> 8 & 0xFF, e & 0xFF) != button.At(around + 2 + x, around + 2 + y);
        }
    return unlike;
}

// Around each control, read along the middle of its sides, its slot's colour: the same width
// on every side where there is room (the VIN box starts at the window's edge), and none at all
// around the command buttons, whose pictures cover their slots and fill the room inside each
// button's 2-pixel edge. At every scale and in the dialog fonts
// of a Chinese and of a Western Windows, whose buttons are larger.
TEST(DisplayScales, ControlsSitInTheirSlots)
{
    constexpr UINT kOwnSizePictures[] = {IDB_PRINT_ALL_ACTIVE, IDB_TROUBLE_CODE, IDB_LIVE_DATA, IDB_FROZEN_FRAME, IDB_PRINT, IDB_COPY};
    constexpr int kAround = 30;
    for (const char* locale : {"", "C"})
        for (DWORD dpi : {96, 120, 144, 168, 192}) {
            SCOPED_TRACE(std::string(*locale ? "Western" : "Chinese") + ", " + std::to_string(dpi) + " dpi");
            DisplayScale scale(dpi);
            MardelloSession session;
            ASSERT_TRUE(session.Start("C:\\mardello-e2e", locale));
            for (const auto& [id, slot] :
                 {std::pair{IDC_EDIT_VIN, RGB(45, 45, 45)}, {IDC_RICHEDIT_REPORT, RGB(255, 255, 255)}}) {
                const auto around = ReadOnScreen(session.Dialog(), id, kAround);
                ASSERT_TRUE(around);
                const std::vector<int> runs = RunsAround(*around, kAround, slot);
                EXPECT_GT(runs[1], 0) << "control " << id;
                for (int side = id == IDC_EDIT_VIN ? 1 : 0; side < 4; ++side)
                    EXPECT_NEAR(runs[1], runs[side], 1) << "control " << id << ", side " << side;
            }
            for (int i = 0; i < 6; ++i) {
                const auto around = ReadOnScreen(session.Dialog(), kCommandButtons[i], kAround);
                ASSERT_TRUE(around);
                for (COLORREF slot : {kNormalGrey, kActiveBlue})
                    EXPECT_EQ(std::vector<int>(4), RunsAround(*around, kAround, slot)) << "button " << i;
                // Print All is the active one.
                EXPECT_EQ(0, UnlikeItsPicture(*around, kAround, kOwnSizePictures[i], IDB_PRINT_ALL_2X + 2 * i + (i == 0)))
                    << "button " << i;
            }
        }
}

}  // namespace
}  // namespace e2e
