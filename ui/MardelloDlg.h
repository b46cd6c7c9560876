#pragma once
// The main window: the device's VIN, the report viewer and the command buttons.
#include "device/DeviceFollower.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/FindReplaceDialog.h"
#include "framework/Gdi.h"
#include "history/HistoryList.h"
#include "reports/ViewerText.h"
#include "res/resource.h"
#include "ui/ScaledPictures.h"

// The status line's two words on the device: not found (yet), and found.
constexpr const char* kStatusChecking = "Checking Device...";
constexpr const char* kStatusReady = "Ready To Print...";
// What the keeping thread posts when a run has been kept or could not be.
constexpr UINT WM_KEEP_DONE = WM_APP + 1;
constexpr const char* kStatusKeptRun = "Kept run of ";

// Where the view commands look without a device: PRINT on the current drive.
constexpr const char* kReportFolderWithoutDevice = "\\PRINT";

class CHistoryDlg;
class CPrintPages;
struct PrintGeometry;

class CMardelloDlg : public CDialogEx {
public:
    explicit CMardelloDlg(CWnd* parent = nullptr);

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;

    // Start-up: the device and its VIN.
    BOOL FindDevice();
    BOOL SearchForDevice();
    void ReadVin();

    // What the VIN box's VIN tells, beside the status line; kept up with every change of the box.
    void OnVinChange();

    // Following the device while the program runs.
    void WatchDrives();
    void OnTimer(UINT_PTR id);
    LRESULT OnDeviceChange(UINT event, DWORD_PTR data);
    void FollowDevice();
    void ShowStatus();
    // Shows new text in a see-through label, painting the background under the old text anew.
    void ShowSeeThrough(int labelId, const char* text);

    // The window menu's entries: the about box, Workshop Details and the history.
    void AddWindowMenuEntries();
    void OnWorkshopDetails();

    // The history: each device's run kept, the history window, a kept run shown.
    void KeepDeviceRun();
    bool OnKeepTimer(UINT_PTR id);
    void StartKeeping();
    void ReadHistoryLater();
    LRESULT OnKeepDone(WPARAM wParam, LPARAM lParam);
    // Which run is being kept, or why the last one could not be; empty when neither.
    CString KeepNote() const;
    void OnHistory();
    void ShowKeptRun(const CString& folder, const CString& runTime);
    void LeaveKeptRun();
    // The status line when no print failure is shown: the device, the kept run, or neither.
    CString SourceStatus() const;

    // The command buttons' pictures: the given button shows its active picture, the others their normal one.
    void MarkActiveButton(int buttonId);
    void ShowExitPicture();
    // The picture drawn at `ownSize` (`image`) or at twice it (`largeImage`) made for `room`.
    void ShowPicture(const CButton& button, UINT image, UINT largeImage, PixelSize ownSize, PixelSize room);

    // Reports into the viewer.
    void PrepareViewer();
    void EmptyViewer();
    void FillViewer(const CString& text);
    ReportRead LoadReportFile(const char* fileName, CString& viewerText) const;
    void ShowReports(int buttonId, const char* const* fileNames, int count, bool sectionBreaks);
    void OnPrintAll();
    void OnPrintTroubleCode();
    void OnPrintLiveData();
    void OnPrintFrozenFrame();

    // Output.
    void OnPrint();
    void OnCopy();
    CString ViewerText() const;
    CPrintPages PagesToPrint(const CDCHandle& printer, const PrintGeometry& geometry);
    void OnPrintPreview();
    void OnSaveAs();

    // The frameless skin.
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    HBRUSH OnCtlColor(CDCHandle dc, CWnd control, UINT kind);
    void OnExit();
    BOOL OnEraseBkgnd(CDCHandle dc);
    LRESULT OnNcHitTest(CPoint point);
    void OnSize(UINT type, int cx, int cy);
    void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);

    // The main window's keys, the viewer's context menu and Find.
    BOOL PreTranslateMessage(MSG* message) override;
    void OnOK() override;
    void OnCancel() override;
    void OnClose();
    void OnContextMenu(CWnd window, CPoint point);
    void OnViewerMenuKey();
    void ShowViewerMenu(CPoint screenPoint);
    void OnViewerEdit(UINT id);
    void OnFind();
    void OnFindNext();
    void OnFindPrevious();
    LRESULT OnFindReplace(WPARAM wParam, LPARAM lParam);
    void FindAndShow(DWORD flags);
    BOOL FindInViewer(const CString& sought, DWORD flags) const;

    DECLARE_MESSAGE_MAP()

protected:
    HICON m_hIcon;
    CString m_strDrive;  // the device in use: its drive prefix ("E:"); empty when none is
    // Where the view commands read the reports: the device's PRINT folder, a kept run's folder,
    // or kReportFolderWithoutDevice.
    CString m_strReportFolder;
    CString m_strVin;
    CString m_strStatus;  // kStatusChecking, kStatusReady, a kept run's, or what a print left to say
    CString m_strKeptRunStatus;  // while a kept run is shown
    bool m_bVinWarning = false;  // the VIN facts line warns of a likely typing error
    CRichEditCtrl m_richReport;
    int m_nShownReports = 0;  // the view command whose reports the viewer was last filled with
    CButton m_btnPrintAll;
    CButton m_btnLiveData;
    CButton m_btnCopy;
    CButton m_btnTroubleCode;
    CButton m_btnFrozenFrame;
    CButton m_btnPrint;
    CFont m_fontTitle;
    CPoint m_ptDragStart;
    CButton m_btnExit;
    CFindReplaceDialog m_dlgFind;
    CString m_strSought;
    DWORD m_dwFindFlags = FR_DOWN;
    int m_nScreenDpi;
    CScaledPictures m_scaledPictures;
    DeviceFollower m_deviceFollower;
    struct KeepRequest {
        CString printFolder;  // empty: none
        CString vin;
    } m_keepWanted;
    HANDLE m_hKeepThread = nullptr;
    CString m_strKeepFailure;  // the last run that could not be kept, and why
    CHistoryDlg* m_pHistoryDlg = nullptr;  // while the history window is open
    bool m_bKeeping = false;               // the thread running copies a run, not only reads
    std::vector<KeptRun> m_keptRuns;       // as last read, and as the history window left them
    bool m_bKeptRunsRead = false;
};
