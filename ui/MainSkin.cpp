// The main window's look: no caption and no frame, a background painted around the controls,
// white labels drawn straight onto it, moved by dragging its background.
#include "ui/MainSkin.h"

#include <algorithm>
#include <cstring>

#include "res/resource.h"
#include "ui/DisplayScale.h"

namespace {

// The skin's colours; the buttons' pictures are drawn on the panel's (res/draw_pictures.sh).
constexpr COLORREF kBody = RGB(76, 76, 76);
constexpr COLORREF kPanel = RGB(55, 55, 55);  // the top bar, the buttons' panel and the viewer's frame
constexpr COLORREF kField = RGB(45, 45, 45);  // the VIN box's slot, sunk as if lit from the top left
constexpr COLORREF kFieldShadow = RGB(28, 28, 28);
constexpr COLORREF kFieldLight = RGB(102, 102, 102);
constexpr COLORREF kPaper = RGB(255, 255, 255);

// Widths in pixels at 96 dpi.
constexpr int kTopBarBelowLabels = 6;
constexpr int kVinMargin = 4;  // the slot's field around the VIN box
constexpr int kShadow = 2, kLight = 1;
constexpr int kPanelMargin = 10;  // around the buttons, which cover their slots
constexpr int kPaperMargin = 3;   // the white around the viewer
constexpr int kFrame = 4;         // the frame around the white

RECT Inflated(const RECT& r, int left, int top, int right, int bottom)
{
    return {r.left - left, r.top - top, r.right + right, r.bottom + bottom};
}
RECT Inflated(const RECT& r, int by) { return Inflated(r, by, by, by, by); }

RECT PlaceOf(HWND dialog, int id)
{
    RECT r{};
    ::GetWindowRect(::GetDlgItem(dialog, id), &r);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace

CMainSkin::CMainSkin(const CWnd& window, HICON icon, const CFont& labelFont)
    : m_window(window), m_icon(icon), m_labelFont(labelFont), m_screenDpi(::ScreenDpi())
{
}

BEGIN_MESSAGE_MAP(CMainSkin, CCmdTarget)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_NCCALCSIZE()
END_MESSAGE_MAP()

LRESULT CMainSkin::Default(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::DefWindowProcA(m_window, message, wParam, lParam);
}

// The slots are worked out from where the controls are each time, never from fixed places: the
// dialog font (which differs from one Windows language to another) and the screen's scale decide
// where the template's controls land, and a slot beside its control looks misprinted. Parts that
// fall outside the window, as the VIN slot's left edge does, are simply not seen.
void CMainSkin::DrawSkin(CDCHandle dc) const
{
    const auto scaled = [this](int pixels) { return ScaledTo(m_screenDpi, pixels); };
    CRect client;
    m_window.GetClientRect(&client);
    dc.FillSolidRect(client, kBody);
    dc.FillSolidRect({0, 0, client.right, TopBarHeight()}, kPanel);

    const RECT field = Inflated(PlaceOf(m_window, IDC_EDIT_VIN), scaled(kVinMargin));
    const RECT slot = Inflated(field, scaled(kShadow), scaled(kShadow), scaled(kLight), scaled(kLight));
    dc.FillSolidRect(slot, kFieldShadow);
    dc.FillSolidRect({field.left, field.top, slot.right, slot.bottom}, kFieldLight);
    dc.FillSolidRect(field, kField);

    RECT buttons = PlaceOf(m_window, IDC_BTN_PRINT_ALL);
    for (int id : {IDC_BTN_TROUBLE_CODE, IDC_BTN_LIVE_DATA, IDC_BTN_FROZEN_FRAME, IDC_BTN_PRINT, IDC_BTN_COPY}) {
        const RECT button = PlaceOf(m_window, id);
        ::UnionRect(&buttons, &buttons, &button);
    }
    dc.FillSolidRect(Inflated(buttons, scaled(kPanelMargin)), kPanel);

    const RECT paper = Inflated(PlaceOf(m_window, IDC_RICHEDIT_REPORT), scaled(kPaperMargin));
    dc.FillSolidRect(Inflated(paper, scaled(kFrame)), kPanel);
    dc.FillSolidRect(paper, kPaper);
}

int CMainSkin::TopBarHeight() const
{
    const int labels = std::max(PlaceOf(m_window, IDC_STATIC_TITLE).bottom, PlaceOf(m_window, IDC_BTN_EXIT).bottom);
    return labels + ScaledTo(m_screenDpi, kTopBarBelowLabels);
}

// The window clips its controls out of what it paints, so when it first shows, the place of a
// control would show nothing (black, under Wine) until the control has painted itself. The first
// background, painted before any control, is laid under them too.
BOOL CMainSkin::OnEraseBkgnd(CDCHandle dc)
{
    // Without DCX_CLIPCHILDREN: not clipped by the controls.
    const HDC whole = m_skinLaid ? nullptr : ::GetDCEx(m_window, nullptr, DCX_CACHE);
    m_skinLaid = true;
    DrawSkin(CDCHandle(whole ? whole : dc.GetSafeHdc()));
    if (whole) ::ReleaseDC(m_window, whole);
    return TRUE;
}

// A new size paints the background anew over the whole window. The controls are redrawn too:
// the see-through ones (title, status, VIN box, EXIT) lie under the erased background, and
// the dialog's clipping of its children keeps a plain invalidation from reaching them.
void CMainSkin::OnSize(UINT type, int cx, int cy)
{
    m_window.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    Default(WM_SIZE, type, MAKELPARAM(cx, cy));
}

// The client area is the whole window: there is no frame to take room from it.
void CMainSkin::OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params)
{
    (void)calcValidRects, (void)params;
}

void CMainSkin::OnLButtonDown(UINT flags, CPoint point)
{
    m_ptDragStart = point;
    Default(WM_LBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
}

void CMainSkin::OnMouseMove(UINT flags, CPoint point)
{
    const LPARAM where = MAKELPARAM(point.x, point.y);
    if (flags & MK_LBUTTON) {
        CRect window;
        m_window.GetWindowRect(&window);
        m_window.ClientToScreen(&point);
        ::MoveWindow(m_window, point.x - m_ptDragStart.x, point.y - m_ptDragStart.y, window.Width(), window.Height(), TRUE);
    }
    Default(WM_MOUSEMOVE, flags, where);
}

HBRUSH CMainSkin::OnCtlColor(CDCHandle dc, CWnd control, UINT kind)
{
    auto brush = reinterpret_cast<HBRUSH>(Default(WM_CTLCOLORMSGBOX + kind, reinterpret_cast<WPARAM>(dc.GetSafeHdc()),
                                                  reinterpret_cast<LPARAM>(control.m_hWnd)));
    if (kind == CTLCOLOR_STATIC || kind == CTLCOLOR_BTN) {
        dc.SetBkMode(TRANSPARENT);
        const bool warning = m_vinWarning && ::GetDlgCtrlID(control) == IDC_STATIC_VIN_FACTS;
        // Amber reads well on the dark background and stands out from the white labels.
        dc.SetTextColor(warning ? RGB(255, 176, 32) : RGB(255, 255, 255));
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    }
    return brush;
}

// A status too long for one line in the label font, which a system message or a Western
// system's wider font can make it, wraps onto two lines in the dialog's smaller font, in the
// height the VIN facts take beside it: the status line never cuts its text.
void CMainSkin::ShowStatus(const char* status)
{
    const CWnd label = m_window.GetDlgItem(IDC_STATIC_STATUS);
    if (m_statusLine.Width() == 0) static_cast<RECT&>(m_statusLine) = PlaceOf(m_window, IDC_STATIC_STATUS);
    const HFONT labelFont = static_cast<HFONT>(m_labelFont.GetSafeHandle());
    const bool oneLine = TextWidth(label, labelFont, status) <= m_statusLine.Width();
    const RECT facts = PlaceOf(m_window, IDC_STATIC_VIN_FACTS);
    const RECT place = oneLine ? RECT(m_statusLine)
                               : RECT{m_statusLine.left, facts.top, m_statusLine.right, facts.bottom};
    const RECT before = PlaceOf(m_window, IDC_STATIC_STATUS);
    if (!::EqualRect(&before, &place)) {
        m_window.RedrawWindow(&before, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        ::SetWindowPos(label.m_hWnd, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const HFONT font = oneLine ? labelFont : reinterpret_cast<HFONT>(m_window.SendMessage(WM_GETFONT));
    if (reinterpret_cast<HFONT>(label.SendMessage(WM_GETFONT)) != font)
        label.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ShowSeeThrough(IDC_STATIC_STATUS, status);
}

int CMainSkin::TextWidth(HWND window, HFONT font, const char* text)
{
    const HDC dc = ::GetDC(window);
    if (!dc) return 0;
    const HGDIOBJ before = ::SelectObject(dc, font);
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text, static_cast<int>(strlen(text)), &size);
    ::SelectObject(dc, before);
    ::ReleaseDC(window, dc);
    return size.cx;
}

// A see-through label's background is painted again, or the old text would stay visible under
// the new one.
void CMainSkin::ShowSeeThrough(int labelId, const char* text)
{
    const CWnd label = m_window.GetDlgItem(labelId);
    label.SetWindowText(text);
    CRect place;
    label.GetWindowRect(&place);
    ::MapWindowPoints(nullptr, m_window, reinterpret_cast<POINT*>(&place), 2);
    m_window.RedrawWindow(&place, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CMainSkin::OnPaint()
{
    if (!m_window.IsIconic()) {
        Default(WM_PAINT, 0, 0);
        return;
    }
    PAINTSTRUCT paint;
    CDCHandle dc(::BeginPaint(m_window, &paint));
    m_window.SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()));
    CRect client;
    m_window.GetClientRect(&client);
    int x = (client.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_icon);
    ::EndPaint(m_window, &paint);
}

HCURSOR CMainSkin::OnQueryDragIcon() { return static_cast<HCURSOR>(m_icon); }

void CMainSkin::ShowVinFacts(const char* text, bool warning)
{
    m_vinWarning = warning;
    ShowSeeThrough(IDC_STATIC_VIN_FACTS, text);
}

bool CMainSkin::OnTopBar(const CWnd& window, CPoint screenPoint) const
{
    if (window.m_hWnd != m_window.m_hWnd && window.m_hWnd != m_window.GetDlgItem(IDC_STATIC_TITLE).m_hWnd &&
        window.m_hWnd != m_window.GetDlgItem(IDC_BTN_EXIT).m_hWnd)
        return false;
    CPoint point = screenPoint;
    ::ScreenToClient(m_window, &point);
    return point.y >= 0 && point.y < TopBarHeight();
}
