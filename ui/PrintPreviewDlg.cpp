#include "ui/PrintPreviewDlg.h"

#include <algorithm>

namespace {

constexpr int kPaperMargin = 8;  // pixels of background around the sheet
// How much of the work area's height the preview opens with: large enough to read the page,
// with room left to see the main window is still there.
constexpr int kOpenTenthsOfHeight = 9;

}  // namespace

CPrintPreviewDlg::CPrintPreviewDlg(const CPrintPages& pages, bool withoutPrinter, CWnd* parent)
    : CDialogEx(IDD_PRINT_PREVIEW, parent), m_pages(pages), m_withoutPrinter(withoutPrinter)
{
}

BEGIN_MESSAGE_MAP(CPrintPreviewDlg, CDialogEx)
    ON_BN_CLICKED(IDC_PREVIEW_PREVIOUS, &CPrintPreviewDlg::OnPreviousPage)
    ON_BN_CLICKED(IDC_PREVIEW_NEXT, &CPrintPreviewDlg::OnNextPage)
    ON_BN_CLICKED(IDC_PREVIEW_PRINT, &CPrintPreviewDlg::OnPrintPages)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

// The dialog's own loop hands Page Up and the like to the control with the focus, which would
// ignore them; the preview sees every key of its loop first.
BOOL CPrintPreviewDlg::PreTranslateMessage(MSG* message)
{
    return message->message == WM_KEYDOWN && (message->hwnd == m_hWnd || ::IsChild(m_hWnd, message->hwnd)) &&
           TurnPageByKey(message->wParam);
}

bool CPrintPreviewDlg::TurnPageByKey(WPARAM key)
{
    switch (key) {
    case VK_NEXT: ShowPage(m_page + 1); return true;
    case VK_PRIOR: ShowPage(m_page - 1); return true;
    case VK_HOME: ShowPage(0); return true;
    case VK_END: ShowPage(m_pages.PageCount() - 1); return true;
    default: return false;
    }
}

BOOL CPrintPreviewDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    if (m_withoutPrinter) SetWindowText("Print Preview - no printer installed: laid out for A4 at 600 dpi");
    OpenLarge();
    ShowPage(0);
    return TRUE;
}

// As tall as most of the work area, as wide as the sheet at that height, in the middle of the
// work area of the monitor where the main window is. Moved here, so it is not centred again.
void CPrintPreviewDlg::OpenLarge()
{
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!::GetMonitorInfoA(::MonitorFromWindow(owner ? owner : m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& work = monitor.rcWork;
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    const int frameWidth = window.Width() - client.Width(), frameHeight = window.Height() - client.Height();
    const int height = (work.bottom - work.top) * kOpenTenthsOfHeight / 10;
    const RECT area{0, 0, work.right - work.left, height - frameHeight - BarHeight()};
    const RECT paper = PaperOnScreen(area);
    const int sheetWidth = static_cast<int>(paper.right - paper.left) + 2 * kPaperMargin + frameWidth;
    const int width = std::min(std::max(sheetWidth, window.Width()), static_cast<int>(work.right - work.left));
    ::SetWindowPos(m_hWnd, nullptr, (work.left + work.right - width) / 2, (work.top + work.bottom - height) / 2, width,
                   height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPrintPreviewDlg::ShowPage(int page)
{
    m_page = std::clamp(page, 0, m_pages.PageCount() - 1);
    GetDlgItem(IDC_PREVIEW_PAGE).SetWindowText(PageOfPages(m_page + 1, m_pages.PageCount()));
    const struct {
        int id;
        bool enabled;
    } turns[] = {{IDC_PREVIEW_PREVIOUS, m_page > 0}, {IDC_PREVIEW_NEXT, m_page + 1 < m_pages.PageCount()}};
    for (const auto& turn : turns) {
        const CWnd button = GetDlgItem(turn.id);
        // A button about to be disabled hands the keyboard on, so the keys keep reaching the preview.
        if (!turn.enabled && ::GetFocus() == button)
            SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(IDC_PREVIEW_PRINT).m_hWnd), TRUE);
        ::EnableWindow(button, turn.enabled);
    }
    Invalidate(FALSE);
}

// The height of the bar of buttons: below the Close button, as much room as above it.
int CPrintPreviewDlg::BarHeight() const
{
    CRect close;
    GetDlgItem(IDCANCEL).GetWindowRect(&close);
    POINT corners[2] = {{close.left, close.top}, {close.right, close.bottom}};
    ::MapWindowPoints(nullptr, m_hWnd, corners, 2);
    return corners[1].y + corners[0].y;
}

// The sheet, as large as fits in `area` with its proportions kept, in the middle of it.
RECT CPrintPreviewDlg::PaperOnScreen(const RECT& area) const
{
    const PrintGeometry& page = m_pages.Geometry();
    const long long roomWidth = std::max(1L, area.right - area.left - 2 * kPaperMargin);
    const long long roomHeight = std::max(1L, area.bottom - area.top - 2 * kPaperMargin);
    const long long paperWidth = std::max(1, page.paperWidth);
    const long long paperHeight = std::max(1, page.paperHeight);
    long long width = roomWidth;
    long long height = roomWidth * paperHeight / paperWidth;
    if (height > roomHeight) {
        height = roomHeight;
        width = std::max(1LL, roomHeight * paperWidth / paperHeight);
    }
    const long left = area.left + static_cast<long>((area.right - area.left - width) / 2);
    const long top = area.top + static_cast<long>((area.bottom - area.top - height) / 2);
    return RECT{left, top, left + static_cast<long>(width), top + static_cast<long>(std::max(1LL, height))};
}

// The background, the white sheet, and the page on it: the printer's device units mapped onto
// the sheet, so the page is drawn exactly as on paper, only smaller.
void CPrintPreviewDlg::DrawPaper(const CDCHandle& dc, const RECT& area) const
{
    ::FillRect(dc, &area, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
    const RECT paper = PaperOnScreen(area);
    ::FillRect(dc, &paper, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));

    const PrintGeometry& page = m_pages.Geometry();
    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, paper.left, paper.top, paper.right, paper.bottom);
    ::SetMapMode(dc, MM_ANISOTROPIC);
    ::SetWindowExtEx(dc, std::max(1, page.paperWidth), std::max(1, page.paperHeight), nullptr);
    ::SetViewportExtEx(dc, paper.right - paper.left, paper.bottom - paper.top, nullptr);
    ::SetWindowOrgEx(dc, -page.offsetX, -page.offsetY, nullptr);
    ::SetViewportOrgEx(dc, paper.left, paper.top, nullptr);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));
    m_pages.DrawPage(dc, m_page);
    ::RestoreDC(dc, saved);
}

void CPrintPreviewDlg::OnPaint()
{
    PAINTSTRUCT paint;
    CDCHandle screen(::BeginPaint(m_hWnd, &paint));
    CRect client;
    GetClientRect(&client);
    const RECT area{0, BarHeight(), client.right, std::max(BarHeight() + 1, static_cast<int>(client.bottom))};
    // Drawn off the screen first, so the page does not flicker while the window is resized.
    CDC memory;
    memory.CreateCompatibleDC(screen);
    CBitmap canvas;
    canvas.Attach(::CreateCompatibleBitmap(screen, area.right - area.left, area.bottom - area.top));
    if (memory.GetSafeHdc() && canvas.GetSafeHandle()) {
        CSelectGuard select(memory, canvas);
        DrawPaper(memory, RECT{0, 0, area.right - area.left, area.bottom - area.top});
        ::BitBlt(screen, area.left, area.top, area.right - area.left, area.bottom - area.top, memory, 0, 0, SRCCOPY);
    }
    ::EndPaint(m_hWnd, &paint);
}

// Only the bar is erased: the page area is painted whole, so erasing it would only make it flicker.
BOOL CPrintPreviewDlg::OnEraseBkgnd(CDCHandle dc)
{
    CRect client;
    GetClientRect(&client);
    const RECT bar{0, 0, client.right, BarHeight()};
    ::FillRect(dc, &bar, ::GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
}

void CPrintPreviewDlg::OnSize(UINT type, int cx, int cy)
{
    (void)type, (void)cx, (void)cy;
    Invalidate(TRUE);
}

// Never so small that the buttons overlap the page or the page disappears.
void CPrintPreviewDlg::OnGetMinMaxInfo(MINMAXINFO* limits)
{
    CRect close;
    if (!::GetWindowRect(GetDlgItem(IDCANCEL), &close)) return;  // asked before the buttons exist
    CRect window;
    GetWindowRect(&window);
    limits->ptMinTrackSize.x = std::max<LONG>(limits->ptMinTrackSize.x, close.right + kPaperMargin - window.left);
    limits->ptMinTrackSize.y = std::max<LONG>(limits->ptMinTrackSize.y, 240);
}
