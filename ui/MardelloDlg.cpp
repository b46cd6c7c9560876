#include "ui/MardelloDlg.h"

#include <algorithm>

#include "ui/AboutDlg.h"
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
constexpr PixelSize kCommandPicture = {205, 50};
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

// The label font's height in pixels on an unscaled screen.
constexpr int kLabelHeight = 18;

// The controls that show their text in the label font.
constexpr int kLabelFontControls[] = {IDC_STATIC_TITLE,     IDC_STATIC_STATUS,    IDC_BTN_PRINT_ALL, IDC_BTN_TROUBLE_CODE,
                                      IDC_BTN_LIVE_DATA,    IDC_BTN_FROZEN_FRAME, IDC_BTN_PRINT,     IDC_BTN_COPY};

constexpr int kVinMaxTyped = 17;

// The room inside a button's 2-pixel edge, which its picture fills.
constexpr int kButtonEdge = 2;
PixelSize InsideEdge(const CButton& button)
{
    RECT client{};
    ::GetClientRect(button.m_hWnd, &client);
    return {client.right - 2 * kButtonEdge, client.bottom - 2 * kButtonEdge};
}

}  // namespace

CMardelloDlg::CMardelloDlg(CWnd* parent)
    : CDialogEx(IDD_MAIN_DIALOG, parent),
      m_hIcon(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      m_nScreenDpi(ScreenDpi())
{
    // Face "宋体" in GBK.
    m_fontTitle.CreateFont(ScaledTo(m_nScreenDpi, kLabelHeight), 0, 0, 0, 600, FALSE, FALSE, FALSE, GB2312_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "\xCB\xCE\xCC\xE5");
}

void CMardelloDlg::DoDataExchange(CDataExchange* exchange)
{
    CDialogEx::DoDataExchange(exchange);
    DDX_Text(exchange, IDC_EDIT_VIN, m_strVin);
    DDX_Text(exchange, IDC_STATIC_STATUS, m_strStatus);
    DDX_Control(exchange, IDC_RICHEDIT_REPORT, m_richReport);
    DDX_Control(exchange, IDC_BTN_PRINT_ALL, m_btnPrintAll);
    DDX_Control(exchange, IDC_BTN_LIVE_DATA, m_btnLiveData);
    DDX_Control(exchange, IDC_BTN_COPY, m_btnCopy);
    DDX_Control(exchange, IDC_BTN_TROUBLE_CODE, m_btnTroubleCode);
    DDX_Control(exchange, IDC_BTN_FROZEN_FRAME, m_btnFrozenFrame);
    DDX_Control(exchange, IDC_BTN_PRINT, m_btnPrint);
    DDX_Control(exchange, IDC_BTN_EXIT, m_btnExit);
}

BEGIN_MESSAGE_MAP(CMardelloDlg, CDialogEx)
    ON_WM_SYSCOMMAND()
    ON_WM_CLOSE()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_BN_CLICKED(IDC_BTN_PRINT_ALL, &CMardelloDlg::OnPrintAll)
    ON_BN_CLICKED(IDC_BTN_LIVE_DATA, &CMardelloDlg::OnPrintLiveData)
    ON_BN_CLICKED(IDC_BTN_TROUBLE_CODE, &CMardelloDlg::OnPrintTroubleCode)
    ON_BN_CLICKED(IDC_BTN_FROZEN_FRAME, &CMardelloDlg::OnPrintFrozenFrame)
    ON_BN_CLICKED(IDC_BTN_PRINT, &CMardelloDlg::OnPrint)
    ON_BN_CLICKED(IDC_BTN_COPY, &CMardelloDlg::OnCopy)
    ON_WM_CTLCOLOR()
    ON_BN_CLICKED(IDC_BTN_EXIT, &CMardelloDlg::OnExit)
    ON_WM_ERASEBKGND()
    ON_WM_NCHITTEST()
    ON_WM_SIZE()
    ON_WM_NCCALCSIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_CONTEXTMENU()
    ON_COMMAND_RANGE(IDM_VIEWER_UNDO, IDM_VIEWER_SELECT_ALL, &CMardelloDlg::OnViewerEdit)
    ON_COMMAND(IDM_FIND, &CMardelloDlg::OnFind)
    ON_COMMAND(IDM_FIND_NEXT, &CMardelloDlg::OnFindNext)
    ON_COMMAND(IDM_FIND_PREVIOUS, &CMardelloDlg::OnFindPrevious)
    ON_REGISTERED_MESSAGE(CFindReplaceDialog::GetFindReplaceMsg(), &CMardelloDlg::OnFindReplace)
    ON_COMMAND(IDM_PRINT_PREVIEW, &CMardelloDlg::OnPrintPreview)
    ON_COMMAND(IDM_SAVE_AS, &CMardelloDlg::OnSaveAs)
    ON_WM_TIMER()
    ON_WM_DEVICECHANGE()
    ON_EN_CHANGE(IDC_EDIT_VIN, &CMardelloDlg::OnVinChange)
    ON_COMMAND(IDM_VIEWER_WORKSHOP, &CMardelloDlg::OnWorkshopDetails)
    ON_MESSAGE(WM_KEEP_DONE, &CMardelloDlg::OnKeepDone)
    ON_COMMAND(IDM_HISTORY, &CMardelloDlg::OnHistory)
END_MESSAGE_MAP()

BOOL CMardelloDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    PrepareViewer();
    AddWindowMenuEntries();

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    m_strStatus = kStatusChecking;
    m_strDrive.Empty();
    m_strReportFolder = kReportFolderWithoutDevice;
    UpdateData(FALSE);

    WatchDrives();
    if (FindDevice()) ReadVin();

    GetDlgItem(IDC_EDIT_VIN).SendMessage(EM_LIMITTEXT, kVinMaxTyped);
    for (int id : kLabelFontControls)
        GetDlgItem(id).SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_fontTitle.GetSafeHandle()), TRUE);

    MarkActiveButton(IDC_BTN_PRINT_ALL);
    ShowExitPicture();

    UpdateData(FALSE);
    if (!m_strDrive.IsEmpty()) KeepDeviceRun();
    ReadHistoryLater();
    return TRUE;
}

void CMardelloDlg::MarkActiveButton(int buttonId)
{
    for (const CommandButton& button : kCommandButtons) {
        CButton control;
        control.m_hWnd = GetDlgItem(button.id);
        const bool active = button.id == buttonId;
        ShowPicture(control, active ? button.activeImage : button.normalImage,
                    active ? button.activeLarge : button.normalLarge, kCommandPicture, InsideEdge(control));
    }
}

// The cross is square and as large as the button's inside; the template's button has room
// for the one drawn at its own size on an unscaled screen.
void CMardelloDlg::ShowExitPicture()
{
    const PixelSize inside = InsideEdge(m_btnExit);
    const int side = std::min(inside.width, inside.height);
    const PixelSize room = m_nScreenDpi == kUnscaledDpi ? kExitPicture : PixelSize{side, side};
    ShowPicture(m_btnExit, IDB_EXIT, IDB_EXIT_2X, kExitPicture, room);
}

// The picture a button showed before is one of the kept ones (or none at start-up), so it is
// left to the cache instead of being deleted.
void CMardelloDlg::ShowPicture(const CButton& button, UINT image, UINT largeImage, PixelSize ownSize, PixelSize room)
{
    const PictureChoice choice = ChoosePicture(ownSize, room);
    const UINT id = choice.source == PictureSource::OwnSize ? image : largeImage;
    button.SetBitmap(m_scaledPictures.Get(id, {choice.size.width, choice.size.height}, choice.resize));
}
