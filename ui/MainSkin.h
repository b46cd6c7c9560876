#pragma once
// The main window's frameless look: the background painted around the controls, white labels
// drawn straight onto it, the window moved by dragging its background, the command buttons'
// pictures with the active one, and the VIN facts' warning colour. The window chains its
// message map to this one; its members are defined in ui/MainSkin*.cpp.
#include "framework/Controls.h"
#include "framework/Gdi.h"
#include "framework/MessageMap.h"
#include "ui/ScaledPictures.h"

class CMainSkin : public CCmdTarget {
public:
    // `window` is the main window, whose handle is set once it is made; `labelFont` is the
    // window's own label font.
    CMainSkin(const CWnd& window, HICON icon, const CFont& labelFont);

    int ScreenDpi() const { return m_screenDpi; }

    // The given command button shows its active picture, the others their normal one.
    void MarkActiveButton(int buttonId);
    void ShowExitPicture();
    // The status line with `status` in it; see ShowStatus.
    void ShowStatus(const char* status);
    // The VIN facts line; `warning`: it warns of a likely typing error, in its own colour.
    void ShowVinFacts(const char* text, bool warning);
    // The top bar is the background above the VIN box, title and EXIT included.
    bool OnTopBar(const CWnd& window, CPoint screenPoint) const;

    // The window's own handlers of painting, colours and dragging call these.
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    HBRUSH OnCtlColor(CDCHandle dc, CWnd control, UINT kind);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    BOOL OnEraseBkgnd(CDCHandle dc);
    void OnSize(UINT type, int cx, int cy);
    void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params);

    // The window's own processing of a message the skin handles first.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) const;
    void DrawSkin(CDCHandle dc) const;
    // The height of the top bar, the caption of a window that has none.
    int TopBarHeight() const;
    // The picture drawn at `ownSize` (`image`) or at twice it (`largeImage`) made for `room`.
    void ShowPicture(const CButton& button, UINT image, UINT largeImage, PixelSize ownSize, PixelSize room);
    static int TextWidth(HWND window, HFONT font, const char* text);
    // Shows new text in a see-through label, painting the background under the old text anew.
    void ShowSeeThrough(int labelId, const char* text);

    const CWnd& m_window;
    HICON m_icon;
    const CFont& m_labelFont;
    int m_screenDpi;
    CPoint m_ptDragStart;       // the client point of the last left-button press
    bool m_vinWarning = false;  // the VIN facts line warns of a likely typing error
    bool m_skinLaid = false;    // the background was painted once, under the controls too
    CRect m_statusLine;         // the status label's own place, for a status of one line
    CScaledPictures m_scaledPictures;
};
