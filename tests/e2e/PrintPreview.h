#pragma once
// Mardello's print preview as a user meets it: opened by its command (what Ctrl+F2 and the
// viewer's menu send), its pages turned with the keys and its buttons, its sheet read off the
// screen.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/MardelloSession.h"
#include "tests/e2e/UserInput.h"

namespace e2e {

// A row of text on the sheet the preview shows: pixels from the sheet's top and left edges,
// `bottom` and `right` the first pixel row and column beyond its ink.
struct InkRow {
    int top = 0, bottom = 0, left = 0, right = 0;
};

struct PreviewSheet {
    RECT paper{};  // the white sheet, in the preview's client coordinates
    std::vector<InkRow> rows;
    std::vector<COLORREF> firstRow;  // the first row's pixels, the sheet's width across
    double Width() const { return paper.right - paper.left; }
    double Height() const { return paper.bottom - paper.top; }
};

class PrintPreview {
public:
    explicit PrintPreview(MardelloSession& session) : m_session(session) {}

    // Sends the preview command to the main dialog and waits for the preview: a dialog box
    // owned by the main dialog, painted and answering.
    ::testing::AssertionResult Open()
    {
        if (!PostMessageA(m_session.Dialog(), WM_COMMAND, IDM_PRINT_PREVIEW, 0))
            return ::testing::AssertionFailure() << "cannot send the preview command";
        m_window = WaitForVisibleWindow(m_session.Process().Id(), kDialogClass, m_session.Dialog());
        if (!m_window) return ::testing::AssertionFailure() << "no window owned by the main dialog appeared";
        return WaitUntilIdle(m_window);
    }

    HWND Window() const { return m_window; }
    bool Closed() const { return !IsWindow(m_window); }
    // Clicks Print... without waiting: what it opens holds the preview's thread.
    bool PressPrint() const { return SendNotifyMessageA(GetDlgItem(m_window, IDC_PREVIEW_PRINT), BM_CLICK, 0, 0); }

    std::string Title() const
    {
        char title[256] = "";
        GetWindowTextA(m_window, title, sizeof title);
        return title;
    }

    // "Page X of Y" as the preview shows it.
    std::string PageText() const { return ControlText(m_window, IDC_PREVIEW_PAGE).value_or("<no page text>"); }

    // Presses keys (xdotool names) on the preview and waits until it has handled them.
    ::testing::AssertionResult Press(const std::string& keys)
    {
        auto pressed = PressKeys(keys);
        if (!pressed) return pressed;
        auto idle = WaitUntilIdle(m_window);
        return idle || !Closed() ? idle : ::testing::AssertionSuccess();  // keys that closed it
    }

    // The sheet below the preview's buttons as the screen shows it, and the rows of its text:
    // each run of pixel rows that hold a dark pixel.
    std::optional<PreviewSheet> Sheet(const std::string& screenshot = {}) const
    {
        RECT client{}, close{};
        GetClientRect(m_window, &client);
        GetWindowRect(GetDlgItem(m_window, IDCANCEL), &close);
        MapWindowPoints(nullptr, m_window, reinterpret_cast<POINT*>(&close), 2);
        RECT area{client.left, close.bottom + 1, client.right, client.bottom};
        if (!screenshot.empty()) SaveScreenshot(m_window, screenshot);
        const auto picture = CaptureSettledWindow(m_window, &area);
        if (!picture) return std::nullopt;
        PreviewSheet sheet;
        RECT& paper = sheet.paper;
        paper = {picture->width, picture->height, -1, -1};
        for (int y = 0; y < picture->height; ++y)
            for (int x = 0; x < picture->width; ++x)
                if (picture->At(x, y) == RGB(255, 255, 255))
                    paper = {std::min<LONG>(paper.left, x), std::min<LONG>(paper.top, y),
                             std::max<LONG>(paper.right, x + 1), std::max<LONG>(paper.bottom, y + 1)};
        if (paper.right < 0) return std::nullopt;
        for (int y = paper.top; y < paper.bottom; ++y) {
            int left = paper.right, right = paper.left;
            for (int x = paper.left; x < paper.right; ++x) {
                const COLORREF pixel = picture->At(x, y);
                if (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) >= 3 * 160) continue;
                left = std::min(left, x);
                right = x + 1;
            }
            // A pixel row or two without ink inside a row of text (below a descender) does not end it.
            const int at = y - paper.top;
            if (right <= left) continue;
            if (sheet.rows.empty() || sheet.rows.back().bottom + 2 < at)
                sheet.rows.push_back(InkRow{at, at + 1, left - paper.left, right - paper.left});
            InkRow& row = sheet.rows.back();
            row.bottom = at + 1;
            row.left = std::min<int>(row.left, left - paper.left);
            row.right = std::max<int>(row.right, right - paper.left);
        }
        if (!sheet.rows.empty())
            for (int y = paper.top + sheet.rows[0].top; y < paper.top + sheet.rows[0].bottom; ++y)
                for (int x = paper.left; x < paper.right; ++x) sheet.firstRow.push_back(picture->At(x, y));
        OffsetRect(&paper, area.left, area.top);
        return sheet;
    }

private:
    MardelloSession& m_session;
    HWND m_window = nullptr;
};

}  // namespace e2e
