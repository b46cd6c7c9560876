#pragma once
// The main window: the device's VIN, the report viewer and the command buttons. It is the
// composition root of the program's parts: it owns them, chains its message map to theirs, and
// hears from them through the listener each part declares. Its members are defined in the files ui/MardelloDlg*.cpp.
#include <string>

#include "device/DeviceTracker.h"
#include "dtc/RunComparison.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "history/HistoryKeeper.h"
#include "reports/EncodingChoice.h"
#include "reports/ReportFiles.h"
#include "reports/ReportSource.h"
#include "reports/ViewerFind.h"
#include "res/resource.h"
#include "ui/ScaledPictures.h"

class CHistoryDlg;
class CPrintPages;
struct PrintGeometry;

class CMardelloDlg : public CDialogEx,
                     private DeviceListener,
                     private HistoryKeeperListener,
                     private RunComparisonListener,
                     private EncodingChoiceListener {
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
    void Say(const CString& note) override;
    void ShowView(const char* shown, const CString& viewerText) override;
    void ReadReportsAgain() override;

    // What the VIN box's VIN tells, beside the status line; kept up with every change of the box.
    void OnVinChange();

    // The window menu's entries: the about box, Workshop Details and the history.
    void AddWindowMenuEntries();
    void OnWorkshopDetails();
    void OnAbout();
    // The window menu, which a window without a caption opens itself.
    void ShowWindowMenu(CPoint screenPoint);
    void ShowWindowMenuAtCorner();
    bool OnTopBar(const CWnd& window, CPoint screenPoint) const;

    // The history window, and a kept run shown.
    void OnHistory();
    void ShowKeptRun(const CString& folder, const CString& runTime, const CString& comparedWith = CString());
    void LeaveKeptRun();

    // The command buttons' pictures: the given button shows its active picture, the others their normal one.
    void MarkActiveButton(int buttonId);
    void ShowExitPicture();
    // The picture drawn at `ownSize` (`image`) or at twice it (`largeImage`) made for `room`.
    void ShowPicture(const CButton& button, UINT image, UINT largeImage, PixelSize ownSize, PixelSize room);

    // Reports into the viewer.
    void ShowReports(int buttonId, const ReportFile* files, int count, bool sectionBreaks);
    // Every view's way into the viewer: the name Save As gives it, and its text.
    void FillView(const char* shown, const CString& text);
    // A view command: the name Save As gives its view, its button, its handler.
    struct ViewCommand {
        const char* shown;
        int buttonId;
        void (CMardelloDlg::*show)();
    };
    // The view command whose view the viewer shows; null when none or a part's view is shown.
    const ViewCommand* CommandOfShownView() const;
    bool HasReportSource() const;
    // Where the reports come from changed (a device found or lost, a kept run shown or left):
    // the status line and the viewer follow. `comparisonFollows`: a comparison fills the viewer next.
    void ReportSourceChanged(bool comparisonFollows = false);
    // Typed notes a view replaces are kept for Undo to bring back; true when there were some.
    bool KeepNotes();
    void OnViewerUndo();
    void OnViewerPaste();
    void OnPrintAll();
    void OnPrintTroubleCode();
    void OnPrintLiveData();
    void OnPrintFrozenFrame();

    // Output.
    void OnPrint();
    void OnCopy();
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
    void DrawSkin(CDCHandle dc) const;
    // The height of the top bar, the caption of a window that has none.
    int TopBarHeight() const;
    LRESULT OnNcHitTest(CPoint point);
    void OnSize(UINT type, int cx, int cy);
    void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    // The status line shows m_strStatus.
    void ShowStatus();
    static int TextWidth(HWND window, HFONT font, const char* text);
    // Shows new text in a see-through label, painting the background under the old text anew.
    void ShowSeeThrough(int labelId, const char* text);

    // The main window's keys and the viewer's context menu.
    BOOL PreTranslateMessage(MSG* message) override;
    void OnOK() override;
    void OnCancel() override;
    void OnClose();
    void OnContextMenu(CWnd window, CPoint point);
    void OnViewerMenuKey();
    void ShowViewerMenu(CPoint screenPoint);
    void OnViewerEdit(UINT id);

    DECLARE_MESSAGE_MAP()

protected:
    HICON m_hIcon = nullptr;  // loaded after the first paint, which does not show it
    CString m_strDrive;  // the device in use: its drive prefix ("E:"); empty when none is
    CString m_strVin;
    CString m_strStatus;  // what the report source implies, or what a print or a save left to say
    CRichEditCtrl m_richReport;
    CButton m_btnPrintAll;
    CButton m_btnLiveData;
    CButton m_btnCopy;
    CButton m_btnTroubleCode;
    CButton m_btnFrozenFrame;
    CButton m_btnPrint;
    CFont m_fontTitle;
    CPoint m_ptDragStart;
    CButton m_btnExit;

    // The parts.
    ReportSource m_reportSource;
    CDeviceTracker m_deviceTracker;
    CHistoryKeeper m_historyKeeper;
    CViewerFind m_viewerFind;
    CEncodingChoice m_encodingChoice;
    CRunComparison m_runComparison;

    CString m_strShownReports;  // what the viewer was last filled with, as Save As names it
    std::wstring m_notes;       // typed notes the last view replaced; empty when none are kept
    CString m_strNotesShown;    // the view the notes were typed into
    bool m_bVinWarning = false;  // the VIN facts line warns of a likely typing error
    bool m_bSkinLaid = false;    // the background was painted once, under the controls too
    CRect m_rcStatusLine;        // the status label's own place, for a status of one line
    int m_nScreenDpi;
    CScaledPictures m_scaledPictures;
    CHistoryDlg* m_pHistoryDlg = nullptr;  // while the history window is open
};
