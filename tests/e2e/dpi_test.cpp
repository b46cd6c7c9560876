// The window at the display scales people use, 100% to 200%: Mardello started with the prefix's
// scale set to each and its window read from the screen. Each command button and EXIT is filled
// by its picture, the labels grow with the scale, and the window starts where its top bar can
// be reached.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "tests/e2e/MardelloSession.h"

namespace e2e {
namespace {

constexpr DWORD kUnscaledDpi = 96;
constexpr COLORREF kExitGround = RGB(55, 55, 55);

// The labels in the label font, and how tall their letters are at 96 dpi, top to foot.
struct Label {
    const char* name;
    int id;
    int inkUnscaled;
};
constexpr Label kLabels[] = {
    {"title", IDC_STATIC_TITLE, 13},    // "Mardello"
    {"status", IDC_STATIC_STATUS, 17},  // "Checking Device...", "g" included
};

// The scale of the prefix for the programs started while this lives (Wine reads it when a
// program starts); 96 comes back when it goes, however the test ends.
class DisplayScale {
public:
    explicit DisplayScale(DWORD dpi) : m_set(Write(dpi)) {}
    ~DisplayScale() { Write(kUnscaledDpi); }
    DisplayScale(const DisplayScale&) = delete;
    DisplayScale& operator=(const DisplayScale&) = delete;
    bool Set() const { return m_set; }

private:
    static bool Write(DWORD dpi)
    {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return false;
        const bool written =
            RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi) == ERROR_SUCCESS;
        RegCloseKey(key);
        return written;
    }
    bool m_set;
};

// The test's screen is smaller than the window at the largest scales: the window is moved, as a
// user would drag it, until the controls to be read are on the screen, and has painted there.
::testing::AssertionResult BringOntoScreen(HWND dialog, std::initializer_list<int> ids)
{
    RECT shown = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), 0, 0};
    for (int id : ids) {
        RECT r{};
        GetWindowRect(GetDlgItem(dialog, id), &r);
        shown = {std::min(shown.left, r.left), std::min(shown.top, r.top), std::max(shown.right, r.right),
                 std::max(shown.bottom, r.bottom)};
    }
    const auto into = [](LONG low, LONG high, LONG limit) { return low < 0 ? -low : high > limit ? limit - high : 0; };
    const int dx = into(shown.left, shown.right, GetSystemMetrics(SM_CXSCREEN));
    const int dy = into(shown.top, shown.bottom, GetSystemMetrics(SM_CYSCREEN));
    RECT window{};
    GetWindowRect(dialog, &window);
    if ((dx || dy) &&
        !SetWindowPos(dialog, nullptr, window.left + dx, window.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE))
        return ::testing::AssertionFailure() << "cannot move the window";
    for (int id : ids)
        if (!CaptureSettledWindow(GetDlgItem(dialog, id))) return ::testing::AssertionFailure() << "control " << id << " cannot be read";
    return ::testing::AssertionSuccess();
}

bool IsLight(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) > 200; }

// The smallest box around the pixels of a kind, within `within` (the whole picture when empty).
template <typename Test>
RECT BoxOf(const ScreenPicture& picture, Test test, RECT within = {})
{
    if (IsRectEmpty(&within)) within = {0, 0, picture.width, picture.height};
    RECT box = {within.right, within.bottom, within.left, within.top};
    for (int y = within.top; y < within.bottom; ++y)
        for (int x = within.left; x < within.right; ++x)
            if (test(picture.At(x, y)))
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                       std::max<LONG>(box.bottom, y + 1)};
    return box;
}

int Height(const RECT& box) { return std::max<int>(0, box.bottom - box.top); }

// The share of the button's fill colour in the bands above and below its label, inside the
// button's own 2-pixel edge: a picture smaller than its button leaves the button's face there.
double FillAroundLabel(HWND button, COLORREF fill)
{
    const auto picture = CaptureWindow(button);
    if (!picture || picture->height < 12) return -1;
    const int band = picture->height / 4;
    size_t hits = 0, all = 0;
    for (int y = 2; y < picture->height - 2; ++y) {
        if (y >= band && y < picture->height - band) continue;
        for (int x = 2; x < picture->width - 2; ++x, ++all) hits += picture->At(x, y) == fill;
    }
    return static_cast<double>(hits) / static_cast<double>(all);
}

void ExpectButtonsFilled(const MardelloSession& session, int activeId)
{
    ASSERT_TRUE(BringOntoScreen(session.Dialog(), {IDC_BTN_PRINT_ALL, IDC_BTN_COPY}));
    for (int id : kCommandButtons) {
        const COLORREF fill = id == activeId ? kActiveBlue : kNormalGrey;
        EXPECT_GT(FillAroundLabel(session.Control(id), fill), 0.9) << "button " << id << " is not filled by its picture";
    }
    EXPECT_EQ(std::vector<int>{activeId}, BlueButtons(session));
}

// The cross's ground reaches the button's edge as the 23-pixel picture does at 100%, and the
// cross inside it keeps its share of the button.
void ExpectExitFilled(HWND dialog)
{
    ASSERT_TRUE(BringOntoScreen(dialog, {IDC_BTN_EXIT}));
    const auto picture = CaptureWindow(GetDlgItem(dialog, IDC_BTN_EXIT));
    ASSERT_TRUE(picture.has_value());
    const RECT ground = BoxOf(*picture, [](COLORREF c) { return c == kExitGround; });
    const RECT cross = BoxOf(*picture, IsLight, ground);
    EXPECT_GE(Height(ground), picture->height - 4) << "EXIT picture's ground in a button " << picture->height << " high";
    EXPECT_NEAR(0.5, static_cast<double>(Height(cross)) / picture->height, 0.1)
        << "cross " << Height(cross) << " rows high in a button " << picture->height << " high";
}

// The labels' letters grow with the scale, from their height at 96 dpi.
void ExpectLabelsScaled(HWND dialog, DWORD dpi)
{
    for (const Label& label : kLabels) {
        ASSERT_TRUE(BringOntoScreen(dialog, {label.id}));
        const auto picture = CaptureWindow(GetDlgItem(dialog, label.id));
        ASSERT_TRUE(picture.has_value());
        const double expected = label.inkUnscaled * static_cast<double>(dpi) / kUnscaledDpi;
        EXPECT_NEAR(expected, Height(BoxOf(*picture, IsLight)), expected * 0.12) << label.name << "'s letters";
    }
}

TEST(DisplayScales, WindowLooksAsAt100Percent)
{
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    for (DWORD dpi : {96, 120, 144, 168, 192}) {
        SCOPED_TRACE(std::to_string(dpi) + " dpi");
        DisplayScale scale(dpi);
        ASSERT_TRUE(scale.Set());
        MardelloSession session;
        ASSERT_TRUE(session.Start());
        const HWND dialog = session.Dialog();

        // Its top bar is what moves and closes it.
        RECT window{};
        GetWindowRect(dialog, &window);
        EXPECT_GE(window.top, work.top) << "the window starts above the work area";
        EXPECT_GE(window.left, work.left) << "the window starts left of the work area";
        if (dpi == 144 || dpi == 192) SaveScreenshot(dialog, "dpi " + std::to_string(dpi));

        ExpectButtonsFilled(session, IDC_BTN_PRINT_ALL);
        ExpectExitFilled(dialog);
        ExpectLabelsScaled(dialog, dpi);
        ASSERT_TRUE(ClickButton(dialog, IDC_BTN_LIVE_DATA));
        EXPECT_TRUE(ShowsOnlyBlue(session, IDC_BTN_LIVE_DATA));
        ExpectButtonsFilled(session, IDC_BTN_LIVE_DATA);
    }
}

}  // namespace
}  // namespace e2e
