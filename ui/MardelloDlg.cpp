#include "ui/MardelloDlg.h"

#include "ui/DisplayScale.h"

namespace {

// The label font's height in pixels on an unscaled screen.
constexpr int kLabelHeight = 18;

// The controls that show their text in the label font.
constexpr int kLabelFontControls[] = {IDC_STATIC_TITLE,     IDC_STATIC_STATUS,    IDC_BTN_PRINT_ALL, IDC_BTN_TROUBLE_CODE,
                                      IDC_BTN_LIVE_DATA,    IDC_BTN_FROZEN_FRAME, IDC_BTN_PRINT,     IDC_BTN_COPY};

constexpr int kVinMaxTyped = 17;

// A timer's tick comes only when no paint is due, so this one-shot waits for the first paint.
constexpr UINT_PTR kAfterFirstPaintTimer = 0x4650;

// Whether the program was started to show its window as it is, not minimized or maximized as a
// shortcut may ask: the system applies such a request to the first show through ShowWindow.
bool StartedToShowNormally()
{
    STARTUPINFOA start{};
    start.cb = sizeof start;
    ::GetStartupInfoA(&start);
    if (!(start.dwFlags & STARTF_USESHOWWINDOW)) return true;
    return start.wShowWindow == SW_SHOWNORMAL || start.wShowWindow == SW_SHOW || start.wShowWindow == SW_SHOWDEFAULT;
}

}  // namespace

CMardelloDlg::CMardelloDlg(CWnd* parent)
    : CDialogEx(IDD_MAIN_DIALOG, parent),
      m_hIcon(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      m_richReport(*this, m_encodingChoice, *this),
      m_skin(*this, m_hIcon, m_fontTitle),
      m_viewCommands(m_richReport, m_reportSource, m_encodingChoice, m_skin),
      m_deviceTracker(*this, *this),
      m_historyKeeper(*this, *this),
      m_encodingChoice(m_viewCommands.EncodingListener()),
      m_jobCard(*this, *this),
      m_windowMenu(*this, m_skin, *this)
{
    // Face "宋体" in GBK.
    m_fontTitle.CreateFont(ScaledTo(m_skin.ScreenDpi(), kLabelHeight), 0, 0, 0, 600, FALSE, FALSE, FALSE, GB2312_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "\xCB\xCE\xCC\xE5");
}

// The device is looked for while the window's controls are made. Not earlier: under Wine, a
// process that has had a second thread takes some 7 ms longer to make its first window.
void CMardelloDlg::OnWindowMade() { m_deviceTracker.SearchAhead(); }

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
    // The frameless look: painting, colours, sizing and dragging.
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_CTLCOLOR()
    CHAIN_MSG_MAP_MEMBER(m_skin)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_BN_CLICKED(IDC_BTN_PRINT_ALL, &CMardelloDlg::OnPrintAll)
    ON_BN_CLICKED(IDC_BTN_LIVE_DATA, &CMardelloDlg::OnPrintLiveData)
    ON_BN_CLICKED(IDC_BTN_TROUBLE_CODE, &CMardelloDlg::OnPrintTroubleCode)
    ON_BN_CLICKED(IDC_BTN_FROZEN_FRAME, &CMardelloDlg::OnPrintFrozenFrame)
    ON_BN_CLICKED(IDC_BTN_PRINT, &CMardelloDlg::OnPrint)
    ON_BN_CLICKED(IDC_BTN_COPY, &CMardelloDlg::OnCopy)
    ON_BN_CLICKED(IDC_BTN_EXIT, &CMardelloDlg::OnExit)
    ON_COMMAND(IDM_PRINT_PREVIEW, &CMardelloDlg::OnPrintPreview)
    ON_COMMAND(IDM_SAVE_AS, &CMardelloDlg::OnSaveAs)
    ON_EN_CHANGE(IDC_EDIT_VIN, &CMardelloDlg::OnVinChange)
    ON_COMMAND(IDM_HISTORY, &CMardelloDlg::OnHistory)
    ON_TIMER(kAfterFirstPaintTimer, &CMardelloDlg::OnAfterFirstPaint)
    // The parts' own timers, notifications and commands.
    CHAIN_MSG_MAP_MEMBER(m_deviceTracker)
    CHAIN_MSG_MAP_MEMBER(m_historyKeeper)
    CHAIN_MSG_MAP_MEMBER(m_richReport)
    CHAIN_MSG_MAP_MEMBER(m_encodingChoice)
    CHAIN_MSG_MAP_MEMBER(m_jobCard)
    // The window menu, with the window's own context menu: the viewer takes its own.
    CHAIN_MSG_MAP_MEMBER(m_windowMenu)
END_MESSAGE_MAP()

BOOL CMardelloDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_richReport.Prepare();

    TakeSource();
    UpdateData(FALSE);

    FindDevice();

    GetDlgItem(IDC_EDIT_VIN).SendMessage(EM_LIMITTEXT, kVinMaxTyped);
    // Not redrawn: the window is not shown yet, and its first paint draws them in this font.
    for (int id : kLabelFontControls)
        GetDlgItem(id).SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_fontTitle.GetSafeHandle()), FALSE);

    MarkActiveButton(IDC_BTN_PRINT_ALL);
    m_skin.ShowExitPicture();

    UpdateData(FALSE);
    // Shown here, with each control's background erased as it paints. The dialog manager would
    // show it with every control's background erased at once first, which under Wine takes some
    // 15 ms longer with this window's see-through controls.
    if (StartedToShowNormally())
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW | SWP_DEFERERASE);
    // What the first paint does not need comes after it.
    ::SetTimer(m_hWnd, kAfterFirstPaintTimer, USER_TIMER_MINIMUM, nullptr);
    // The VIN box has the focus with the caret after the VIN. The dialog manager would select the
    // VIN, and one stray key would replace what Print prints.
    const CWnd vinBox = GetDlgItem(IDC_EDIT_VIN);
    ::SetFocus(vinBox.m_hWnd);
    vinBox.SendMessage(EM_SETSEL, m_strVin.GetLength(), m_strVin.GetLength());
    return FALSE;
}

void CMardelloDlg::OnAfterFirstPaint()
{
    ::KillTimer(m_hWnd, kAfterFirstPaintTimer);
    m_windowMenu.AddEntries();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    m_deviceTracker.Watch();
    if (m_reportSource.HasDevice()) m_historyKeeper.Keep(m_reportSource.Folder(), m_strVin);
    m_historyKeeper.ReadLater();
}

void CMardelloDlg::OnExit() { DestroyWindow(); }

void CMardelloDlg::OnSysCommand(UINT id, LPARAM lParam)
{
    (void)lParam;
    if (!m_windowMenu.Chosen(id)) Default();
}
