#include "tests/e2e/harness/Screen.h"

#include "tests/e2e/harness/WinePaths.h"

namespace e2e {

namespace {

// Releases what Capture takes, on every way out.
struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() { ReleaseDC(nullptr, dc); }
};
struct MemoryDc {
    HDC dc;
    explicit MemoryDc(HDC compatible) : dc(CreateCompatibleDC(compatible)) {}
    ~MemoryDc() { DeleteDC(dc); }
};
struct Section {
    HBITMAP bitmap;
    ~Section() { DeleteObject(bitmap); }
};

}  // namespace

std::optional<ScreenPicture> CaptureScreen(const RECT& r)
{
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    if (width <= 0 || height <= 0)
        return std::nullopt;

    ScreenDc screen;
    MemoryDc memory(screen.dc);
    if (!screen.dc || !memory.dc)
        return std::nullopt;

    // A top-down 32-bit section: each pixel one DWORD, 0x00RRGGBB, rows in screen order.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Section section{CreateDIBSection(screen.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0)};
    if (!section.bitmap || !bits)
        return std::nullopt;

    HGDIOBJ old = SelectObject(memory.dc, section.bitmap);
    const BOOL copied = BitBlt(memory.dc, 0, 0, width, height, screen.dc, r.left, r.top, SRCCOPY);
    SelectObject(memory.dc, old);
    if (!copied)
        return std::nullopt;
    GdiFlush();

    ScreenPicture picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(static_cast<size_t>(width) * height);
    const auto* source = static_cast<const DWORD*>(bits);
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
        const DWORD p = source[i];
        picture.pixels[i] = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    return picture;
}

std::optional<ScreenPicture> CaptureWindow(HWND window, const RECT* clientRect)
{
    RECT r;
    if (clientRect) {
        r = *clientRect;
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    } else if (!GetWindowRect(window, &r)) {
        return std::nullopt;
    }
    return CaptureScreen(r);
}

std::optional<ScreenPicture> CaptureSettledWindow(HWND window, const RECT* clientRect, DWORD timeoutMs)
{
    if (!WaitUntilIdle(window, timeoutMs))
        return std::nullopt;
    constexpr ULONGLONG kQuietMs = 100;
    std::optional<ScreenPicture> last;
    ULONGLONG unchangedSince = 0;
    const bool settled = WaitUntil(
        [&] {
            auto now = CaptureWindow(window, clientRect);
            if (!now)
                return false;
            const bool same = last && now->width == last->width && now->height == last->height &&
                              now->pixels == last->pixels;
            if (!same) {
                last = std::move(now);
                unchangedSince = GetTickCount64();
                return false;
            }
            return GetTickCount64() - unchangedSince >= kQuietMs;
        },
        timeoutMs);
    return settled ? last : std::nullopt;
}

bool SaveBitmap(const ScreenPicture& picture, const std::string& path)
{
    const int stride = (picture.width * 3 + 3) & ~3;
    const DWORD imageSize = static_cast<DWORD>(stride) * picture.height;

    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + imageSize;
    header.biSize = sizeof header;
    header.biWidth = picture.width;
    header.biHeight = picture.height;  // bottom-up, as most readers expect
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = imageSize;

    std::vector<BYTE> image(imageSize);
    for (int y = 0; y < picture.height; ++y) {
        BYTE* row = image.data() + static_cast<size_t>(picture.height - 1 - y) * stride;
        for (int x = 0; x < picture.width; ++x) {
            const COLORREF c = picture.At(x, y);
            row[x * 3 + 0] = GetBValue(c);
            row[x * 3 + 1] = GetGValue(c);
            row[x * 3 + 2] = GetRValue(c);
        }
    }

    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(out, &file, sizeof file, &written, nullptr) && written == sizeof file;
    ok = ok && WriteFile(out, &header, sizeof header, &written, nullptr) && written == sizeof header;
    ok = ok && WriteFile(out, image.data(), imageSize, &written, nullptr) && written == imageSize;
    CloseHandle(out);
    return ok;
}

std::string SaveScreenshot(HWND window, const std::string& name)
{
    std::string folder = PathFromEnvironment("MARDELLO_E2E_ARTIFACTS");
    if (folder.empty()) {
        char temp[MAX_PATH];
        const DWORD length = GetTempPathA(MAX_PATH, temp);
        if (!length)
            return {};
        folder.assign(temp, length - 1);
    }
    CreateDirectoryA(folder.c_str(), nullptr);
    const auto picture = CaptureSettledWindow(window);
    const std::string path = folder + "\\" + name + ".bmp";
    return picture && SaveBitmap(*picture, path) ? path : std::string();
}

}  // namespace e2e
