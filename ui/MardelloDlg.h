#pragma once
// The main window: the device's VIN, the report viewer and the command buttons. It is the
// composition root of the program's parts: it owns them, chains its message map to theirs, and
// hears from them through the listener each part declares. Its members are defined in the files ui/MardelloDlg*.cpp.
#include "device/DeviceTracker.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "history/HistoryKeeper.h"
#include "ui/RunJobCard.h"
#include "reports/EncodingChoice.h"
#include "reports/ReportFiles.h"
#include "reports/ReportSource.h"
#include "reports/ReportView.h"
#include "res/resource.h"
#include "ui/KeptRunOpening.h"
#include "ui/MainSkin.h"
#include "ui/ReportOutput.h"
#include "ui/ViewCommands.h"
#include "ui/WindowMenu.h"

class CHistoryDlg;

class CMardelloDlg : public CDialogEx,
                     private DeviceListener,
                     private HistoryKeeperListener,
                     private ReportViewListener,
                     private JobCardListener,
                     private WindowMenuListener {
public:
    explicit CMardelloDlg(CWnd* parent = nullptr);

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    void OnWindowMade() override;
    BOOL OnInitDialog() override;
    void OnAfterFirstPaint();

    // Start-up: the device and its VIN (MardelloDlgDevice.cpp).
    BOOL FindDevice();
    BOOL SearchForDevice();

    // What the parts report.
    void DeviceFound(const CString& drive, const CString& vin) override;
    void DeviceLost() override;
    void RunKept() override;
    void DeviceRunKept(const CString& printFolder, const CString& runFolder) override;
    void RunsDeleted(const std::vector<KeptRun>& asked, const DeleteOutcome& outcome) override;
    void JobCardKept(const CString& runFolder, const JobCard& card) override;
    void Say(const CString& note) override;
    void ViewFilled(bool notesKept) override;
    void NotesBroughtBack() override;

    // What the VIN box's VIN tells, beside the status line; kept up with every change of the box.
    void OnVinChange();

    // The history window, and a kept run shown.
    void OnHistory() override;
    void ShowKeptRun(const CString& folder, const KeptRunOpening& opened, const CString& runTime,
                     const CString& comparedWith = CString());
    void LeaveKeptRun();
    void LeaveShownRunIfGone();

    // The given command button shows its active picture, the others their normal one.
    void MarkActiveButton(int buttonId) { m_skin.MarkActiveButton(buttonId); }

    // Where the reports come from changed (a device found or lost, a kept run shown or left):
    // the status line and the viewer follow. `comparisonFollows`: a comparison fills the viewer next.
    void ReportSourceChanged(bool comparisonFollows = false);
    // The view commands' buttons: their views are the view commands part's.
    void OnPrintAll();
    void OnPrintTroubleCode();
    void OnPrintLiveData();
    void OnPrintFrozenFrame();

    // Output.
    void OnPrint();
    void OnCopy();
    void OnPrintPreview();
    void OnSaveAs();
    // What is shown, for Print, the preview and Save As; the controls are taken first.
    ShownReport Shown();
    // What Print or Save As had to say, in the status line.
    void ShowSaid(const StatusWord& said);

    void OnSysCommand(UINT id, LPARAM lParam);
    // The frameless look's handlers are the skin's.
    void OnPaint() { m_skin.OnPaint(); }
    HCURSOR OnQueryDragIcon() { return m_skin.OnQueryDragIcon(); }
    HBRUSH OnCtlColor(CDCHandle dc, CWnd control, UINT kind) { return m_skin.OnCtlColor(dc, control, kind); }
    void OnLButtonDown(UINT flags, CPoint point) { m_skin.OnLButtonDown(flags, point); }
    void OnMouseMove(UINT flags, CPoint point) { m_skin.OnMouseMove(flags, point); }
    void OnExit();
    // Where the reports come from, on screen: a new VIN of the report source replaces what the
    // VIN box shows, typed or read, and the status line says what the source implies, or what
    // was said last.
    void ShowSource();
    // The same into m_strVin and m_strStatus only, for the start, before the window shows; true
    // when the VIN is new.
    bool TakeSource();

    // The main window's keys.
    BOOL PreTranslateMessage(MSG* message) override;
    void OnOK() override;
    void OnCancel() override;
    void OnClose();

    DECLARE_MESSAGE_MAP()

protected:
    HICON m_hIcon;
    CString m_strVin;     // the report source's VIN, or as typed into the VIN box and taken
    CString m_strStatus;  // the report source's status, or what was said last
    CReportView m_richReport;  // the viewer, a part of its own
    CButton m_btnPrintAll;
    CButton m_btnLiveData;
    CButton m_btnCopy;
    CButton m_btnTroubleCode;
    CButton m_btnFrozenFrame;
    CButton m_btnPrint;
    CFont m_fontTitle;
    CButton m_btnExit;

    // The parts.
    CMainSkin m_skin;
    ReportSource m_reportSource;
    CViewCommands m_viewCommands;  // made before the encoding choice, which tells it
    CDeviceTracker m_deviceTracker;
    CHistoryKeeper m_historyKeeper;
    CEncodingChoice m_encodingChoice;
    CRunJobCard m_jobCard;
    CWindowMenu m_windowMenu;

    CHistoryDlg* m_historyDlg = nullptr;  // while the history window is open
};
