// The main window's look: no caption and no frame, a stretched background picture, white
// labels drawn straight onto it, moved by dragging its background, closed by EXIT.
#include "ui/MardelloDlg.h"

#include "ui/DisplayScale.h"

BOOL CMardelloDlg::OnEraseBkgnd(CDCHandle dc)
{
    CRect client;
    GetClientRect(&client);
    if (m_nScreenDpi != kUnscaledDpi) {
        // Stretching the 100% picture would show its pixels as blocks; the double-size one is
        // resized to the window once and then copied as it is. It is flat areas with a few
        // smoothed corners, so its nearest pixels do (averaging takes Wine tens of milliseconds
        // at every start).
        CDC memory;
        memory.CreateCompatibleDC(dc);
        CSelectGuard select(memory,
                            m_scaledPictures.Get(IDB_BACKGROUND_2X, {client.Width(), client.Height()}, NearestResize));
        ::BitBlt(dc, 0, 0, client.Width(), client.Height(), memory, 0, 0, SRCCOPY);
        return TRUE;
    }
    CBitmap background;
    background.LoadBitmap(IDB_BACKGROUND);
    BITMAP size{};
    background.GetBitmap(&size);
    CDC memory;
    memory.CreateCompatibleDC(dc);
    {
        CSelectGuard select(memory, background);
        dc.SetStretchBltMode(COLORONCOLOR);
        dc.StretchBlt(0, 0, client.Width(), client.Height(), memory, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
    }
    return TRUE;
}

// A new size stretches the picture anew over the whole window. The controls are redrawn too:
// the see-through ones (title, status, VIN box, EXIT) lie under the erased background, and
// the dialog's clipping of its children keeps a plain invalidation from reaching them.
void CMardelloDlg::OnSize(UINT type, int cx, int cy)
{
    (void)type, (void)cx, (void)cy;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    Default();
}

// The client area is the whole window: there is no frame to take room from it.
void CMardelloDlg::OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params)
{
    (void)calcValidRects, (void)params;
}

LRESULT CMardelloDlg::OnNcHitTest(CPoint point)
{
    (void)point;
    return Default();
}

void CMardelloDlg::OnLButtonDown(UINT flags, CPoint point)
{
    (void)flags;
    m_ptDragStart = point;
    Default();
}

void CMardelloDlg::OnMouseMove(UINT flags, CPoint point)
{
    if (flags & MK_LBUTTON) {
        CRect window;
        GetWindowRect(&window);
        ClientToScreen(&point);
        ::MoveWindow(m_hWnd, point.x - m_ptDragStart.x, point.y - m_ptDragStart.y, window.Width(), window.Height(), TRUE);
    }
    Default();
}

HBRUSH CMardelloDlg::OnCtlColor(CDCHandle dc, CWnd control, UINT kind)
{
    auto brush = reinterpret_cast<HBRUSH>(Default());
    if (kind == CTLCOLOR_STATIC || kind == CTLCOLOR_BTN) {
        dc.SetBkMode(TRANSPARENT);
        const bool warning = m_bVinWarning && ::GetDlgCtrlID(control) == IDC_STATIC_VIN_FACTS;
        // Amber reads well on the dark background and stands out from the white labels.
        dc.SetTextColor(warning ? RGB(255, 176, 32) : RGB(255, 255, 255));
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    }
    return brush;
}

// A see-through label's background is painted again, or the old text would stay visible under
// the new one.
void CMardelloDlg::ShowSeeThrough(int labelId, const char* text)
{
    const CWnd label = GetDlgItem(labelId);
    label.SetWindowText(text);
    CRect place;
    label.GetWindowRect(&place);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&place), 2);
    RedrawWindow(&place, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CMardelloDlg::OnExit() { DestroyWindow(); }

void CMardelloDlg::OnPaint()
{
    if (!IsIconic()) {
        Default();
        return;
    }
    PAINTSTRUCT paint;
    CDCHandle dc(::BeginPaint(m_hWnd, &paint));
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()));
    CRect client;
    GetClientRect(&client);
    int x = (client.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
    ::EndPaint(m_hWnd, &paint);
}

HCURSOR CMardelloDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }
