#pragma once
// What the screen shows: pixels of a window as the user sees them (the X server's picture,
// after every layer of drawing), for checking colours and for saving a screenshot.

#include <windows.h>

#include "tests/e2e/harness/Wait.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct ScreenPicture {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;  // rows top to bottom, RGB() values

    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The pixels of a rectangle in screen coordinates; nothing when it cannot be read.
std::optional<ScreenPicture> CaptureScreen(const RECT& screenRect);

// The pixels of the whole window, frame included (or of `clientRect`, given in its client
// coordinates, when not null). The window must be visible and not covered.
std::optional<ScreenPicture> CaptureWindow(HWND window, const RECT* clientRect = nullptr);

// CaptureWindow once the window has finished drawing: its thread has handled what was sent to
// it, and the picture has stayed the same for a tenth of a second (Wine hands finished drawing
// to the X server a little later, at most every 50 ms). Use it after a click that changes the
// look; CaptureWindow alone may see the picture before.
std::optional<ScreenPicture> CaptureSettledWindow(HWND window, const RECT* clientRect = nullptr,
                                                  DWORD timeoutMs = kDefaultTimeoutMs);

// Writes the picture as a 24-bit BMP file (a Windows path); false when it cannot.
bool SaveBitmap(const ScreenPicture& picture, const std::string& path);

// Saves the settled window as `name`.bmp in the folder MARDELLO_E2E_ARTIFACTS names (ctest sets it
// beside the test executable), for a person to look at; the path written, empty on failure.
std::string SaveScreenshot(HWND window, const std::string& name);

}  // namespace e2e
