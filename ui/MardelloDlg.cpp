#include "ui/MardelloDlg.h"

#include "ui/AboutDlg.h"

namespace {

struct CommandButton {
    int id;
    UINT normalImage;
    UINT activeImage;
};

// In the order their pictures are set.
constexpr CommandButton kCommandButtons[] = {
    {IDC_BTN_PRINT_ALL, IDB_PRINT_ALL, IDB_PRINT_ALL_ACTIVE},
    {IDC_BTN_TROUBLE_CODE, IDB_TROUBLE_CODE, IDB_TROUBLE_CODE_ACTIVE},
    {IDC_BTN_LIVE_DATA, IDB_LIVE_DATA, IDB_LIVE_DATA_ACTIVE},
    {IDC_BTN_FROZEN_FRAME, IDB_FROZEN_FRAME, IDB_FROZEN_FRAME_ACTIVE},
    {IDC_BTN_PRINT, IDB_PRINT, IDB_PRINT_ACTIVE},
    {IDC_BTN_COPY, IDB_COPY, IDB_COPY_ACTIVE},
};

// The controls that show their text in the label font.
constexpr int kLabelFontControls[] = {IDC_STATIC_TITLE,     IDC_STATIC_STATUS,    IDC_BTN_PRINT_ALL, IDC_BTN_TROUBLE_CODE,
                                      IDC_BTN_LIVE_DATA,    IDC_BTN_FROZEN_FRAME, IDC_BTN_PRINT,     IDC_BTN_COPY};

constexpr int kVinMaxTyped = 17;

// Shows a picture from the resources on a button; the picture it replaces is no longer
// shown anywhere, so it is deleted rather than left behind.
void ShowButtonPicture(const CButton& button, UINT imageId)
{
    CBitmap picture;
    picture.LoadBitmap(imageId);
    CBitmap replaced;
    replaced.Attach(button.SetBitmap(picture.Detach()));
}

}  // namespace

CMardelloDlg::CMardelloDlg(CWnd* parent)
    : CDialogEx(IDD_MAIN_DIALOG, parent),
      m_hIcon(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME)))
{
    // Face "宋体" in GBK.
    m_fontTitle.CreateFont(18, 0, 0, 0, 600, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "\xCB\xCE\xCC\xE5");
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
    ON_WM_TIMER()
    ON_WM_DEVICECHANGE()
END_MESSAGE_MAP()

BOOL CMardelloDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    PrepareViewer();
    AddAboutEntry();

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    m_strStatus = "Checking Device...";
    m_strDrive.Empty();
    UpdateData(FALSE);

    WatchDrives();
    if (FindDevice()) ReadVin();

    GetDlgItem(IDC_EDIT_VIN).SendMessage(EM_LIMITTEXT, kVinMaxTyped);
    for (int id : kLabelFontControls)
        GetDlgItem(id).SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_fontTitle.GetSafeHandle()), TRUE);

    MarkActiveButton(IDC_BTN_PRINT_ALL);
    ShowExitPicture();

    UpdateData(FALSE);
    return TRUE;
}

void CMardelloDlg::MarkActiveButton(int buttonId)
{
    for (const CommandButton& button : kCommandButtons) {
        CButton control;
        control.m_hWnd = GetDlgItem(button.id);
        ShowButtonPicture(control, button.id == buttonId ? button.activeImage : button.normalImage);
    }
}

void CMardelloDlg::ShowExitPicture() { ShowButtonPicture(m_btnExit, IDB_EXIT); }
