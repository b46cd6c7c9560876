// The screen must give back exactly the colours a window painted, in the right places, and a
// saved screenshot must hold the same pixels.

#include "tests/e2e/harness/Screen.h"
#include "tests/e2e/harness/Wait.h"

#include <gtest/gtest.h>

#include <vector>

namespace e2e {
namespace {

// Colours that a swap of red and blue, or a loss of the low bits, would change.
constexpr COLORREF kStripes[] = {RGB(56, 153, 209), RGB(86, 86, 86), RGB(1, 2, 3), RGB(254, 255, 253)};
constexpr COLORREF kRepainted = RGB(200, 30, 40);
constexpr UINT kRepaint = WM_APP;  // turns the first stripe kRepainted, later
bool g_repainted = false;
constexpr int kStripeWidth = 10;
constexpr int kHeight = 20;

LRESULT CALLBACK PaintStripes(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kRepaint) {
        g_repainted = true;
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    }
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    for (int i = 0; i < 4; ++i) {
        RECT stripe = {i * kStripeWidth, 0, (i + 1) * kStripeWidth, kHeight};
        HBRUSH brush = CreateSolidBrush(i == 0 && g_repainted ? kRepainted : kStripes[i]);
        FillRect(dc, &stripe, brush);
        DeleteObject(brush);
    }
    EndPaint(window, &paint);
    return 0;
}

class StripesWindow {
public:
    StripesWindow()
    {
        g_repainted = false;
        WNDCLASSA wc{};
        wc.lpfnWndProc = PaintStripes;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "e2e stripes";
        RegisterClassA(&wc);
        window_ = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 40, 50,
                                  4 * kStripeWidth, kHeight, nullptr, nullptr, wc.hInstance, nullptr);
        UpdateWindow(window_);
    }
    ~StripesWindow() { DestroyWindow(window_); }
    HWND Handle() const { return window_; }

private:
    HWND window_;
};

bool ShowsStripes(const ScreenPicture& picture)
{
    for (int i = 0; i < 4; ++i)
        if (picture.At(i * kStripeWidth + kStripeWidth / 2, kHeight / 2) != kStripes[i])
            return false;
    return true;
}

TEST(Screen, ReadsBackExactColours)
{
    StripesWindow stripes;
    ASSERT_NE(stripes.Handle(), nullptr);
    std::optional<ScreenPicture> picture;
    // The X server shows the window a little after Wine has drawn it.
    WaitUntil([&] { return (picture = CaptureWindow(stripes.Handle())) && ShowsStripes(*picture); });
    ASSERT_TRUE(picture.has_value());
    ASSERT_EQ(picture->width, 4 * kStripeWidth);
    ASSERT_EQ(picture->height, kHeight);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE("stripe " + std::to_string(i));
        EXPECT_EQ(picture->At(i * kStripeWidth, 0), kStripes[i]);
        EXPECT_EQ(picture->At((i + 1) * kStripeWidth - 1, kHeight - 1), kStripes[i]);
    }

    // A client rectangle is taken relative to the window, not to the screen.
    const RECT second = {kStripeWidth, 0, 2 * kStripeWidth, kHeight};
    const auto part = CaptureWindow(stripes.Handle(), &second);
    ASSERT_TRUE(part.has_value());
    EXPECT_EQ(part->At(0, 0), kStripes[1]);
    EXPECT_EQ(part->At(kStripeWidth - 1, kHeight - 1), kStripes[1]);
}

TEST(Screen, SettledCaptureWaitsForTheRepaint)
{
    StripesWindow stripes;
    ASSERT_NE(stripes.Handle(), nullptr);
    auto before = CaptureSettledWindow(stripes.Handle());
    ASSERT_TRUE(before.has_value());
    ASSERT_TRUE(ShowsStripes(*before));

    // The change is queued, as a click's new button image is: drawn only when the window's
    // thread gets to it.
    PostMessageA(stripes.Handle(), kRepaint, 0, 0);
    const auto after = CaptureSettledWindow(stripes.Handle());
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(after->At(kStripeWidth / 2, kHeight / 2), kRepainted);
    EXPECT_EQ(after->At(kStripeWidth + kStripeWidth / 2, kHeight / 2), kStripes[1]);
}

TEST(Screen, BitmapFileHoldsThePixels)
{
    ScreenPicture picture;
    picture.width = 3;  // a row of 9 bytes, padded to 12
    picture.height = 2;
    picture.pixels = {RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9), RGB(10, 11, 12), RGB(13, 14, 15), RGB(16, 17, 18)};
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "e2e-screen-test.bmp";
    ASSERT_TRUE(SaveBitmap(picture, path));

    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    std::vector<unsigned char> bytes(200);
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    DeleteFileA(path.c_str());

    ASSERT_EQ(read, 14u + 40u + 2u * 12u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    // Bottom row first, blue green red.
    const unsigned char* pixels = bytes.data() + 54;
    EXPECT_EQ(std::vector<unsigned char>(pixels, pixels + 3), (std::vector<unsigned char>{12, 11, 10}));
    EXPECT_EQ(std::vector<unsigned char>(pixels + 12, pixels + 15), (std::vector<unsigned char>{3, 2, 1}));
}

}  // namespace
}  // namespace e2e
