// The command buttons' pictures: the active one and the normal ones, and the EXIT cross, each
// drawn at the size the screen's scale gives the button.
#include "ui/MainSkin.h"

#include <algorithm>

#include "res/resource.h"
#include "ui/DisplayScale.h"
#include "ui/PictureChoice.h"

namespace {

struct CommandButton {
    int id;
    UINT normalImage;
    UINT activeImage;
    UINT normalLarge;  // the same pictures at twice the size
    UINT activeLarge;
};

// The pictures' own sizes, as res/draw_pictures.sh draws them.
constexpr PixelSize kCommandPicture = {206, 50};
constexpr PixelSize kExitPicture = {23, 23};

// In the order their pictures are set.
constexpr CommandButton kCommandButtons[] = {
    {IDC_BTN_PRINT_ALL, IDB_PRINT_ALL, IDB_PRINT_ALL_ACTIVE, IDB_PRINT_ALL_2X, IDB_PRINT_ALL_ACTIVE_2X},
    {IDC_BTN_TROUBLE_CODE, IDB_TROUBLE_CODE, IDB_TROUBLE_CODE_ACTIVE, IDB_TROUBLE_CODE_2X, IDB_TROUBLE_CODE_ACTIVE_2X},
    {IDC_BTN_LIVE_DATA, IDB_LIVE_DATA, IDB_LIVE_DATA_ACTIVE, IDB_LIVE_DATA_2X, IDB_LIVE_DATA_ACTIVE_2X},
    {IDC_BTN_FROZEN_FRAME, IDB_FROZEN_FRAME, IDB_FROZEN_FRAME_ACTIVE, IDB_FROZEN_FRAME_2X, IDB_FROZEN_FRAME_ACTIVE_2X},
    {IDC_BTN_PRINT, IDB_PRINT, IDB_PRINT_ACTIVE, IDB_PRINT_2X, IDB_PRINT_ACTIVE_2X},
    {IDC_BTN_COPY, IDB_COPY, IDB_COPY_ACTIVE, IDB_COPY_2X, IDB_COPY_ACTIVE_2X},
};

// The room inside a button's 2-pixel edge, which its picture fills.
constexpr int kButtonEdge = 2;
PixelSize InsideEdge(const CButton& button)
{
    RECT client{};
    ::GetClientRect(button.m_hWnd, &client);
    return {client.right - 2 * kButtonEdge, client.bottom - 2 * kButtonEdge};
}

}  // namespace

void CMainSkin::MarkActiveButton(int buttonId)
{
    for (const CommandButton& button : kCommandButtons) {
        CButton control;
        control.m_hWnd = m_window.GetDlgItem(button.id);
        const bool active = button.id == buttonId;
        ShowPicture(control, active ? button.activeImage : button.normalImage,
                    active ? button.activeLarge : button.normalLarge, kCommandPicture, InsideEdge(control));
    }
}

// The cross is square and as large as the button's inside; the template's button has room
// for the one drawn at its own size on an unscaled screen.
void CMainSkin::ShowExitPicture()
{
    CButton exit;
    exit.m_hWnd = m_window.GetDlgItem(IDC_BTN_EXIT);
    const PixelSize inside = InsideEdge(exit);
    const int side = std::min(inside.width, inside.height);
    const PixelSize room = m_screenDpi == kUnscaledDpi ? kExitPicture : PixelSize{side, side};
    ShowPicture(exit, IDB_EXIT, IDB_EXIT_2X, kExitPicture, room);
}

// The picture a button showed before is one of the kept ones (or none at start-up), so it is
// left to the cache instead of being deleted.
void CMainSkin::ShowPicture(const CButton& button, UINT image, UINT largeImage, PixelSize ownSize, PixelSize room)
{
    const PictureChoice choice = ChoosePicture(ownSize, room);
    const UINT id = choice.source == PictureSource::OwnSize ? image : largeImage;
    button.SetBitmap(m_scaledPictures.Get(id, {choice.size.width, choice.size.height}, choice.resize));
}
