// The device's reports into the VIN box and the report viewer.
#include <windows.h>

#include "framework/StdioFile.h"
#include "reports/ViewerRoom.h"
#include "reports/ViewerText.h"
#include "ui/MardelloDlg.h"

namespace {

constexpr UINT kReportOpenFlags = CStdioFile::modeRead | CStdioFile::shareCompat | CStdioFile::typeText;

constexpr const char* kTroubleCodes = "DTC.DAT";
constexpr const char* kLiveData = "CDS.DAT";
constexpr const char* kFreezeFrame = "FROZEN.DAT";

// The control's default limit of 32,767 characters would silently cut a long report, and
// the cut lines would then be missing from what is printed and copied.
constexpr long kViewerTextLimit = 0x7FFFFFF0;

// Wine's rich edit takes a text in one piece in a time that grows faster than its size
// (40,000 lines: 11 to 15 s); in pieces of this size it takes a time in step with it (1.5 s).
constexpr size_t kViewerPieceBytes = 32 * 1024;

bool RoomForViewerPiece(size_t bytes)
{
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    if (!GlobalMemoryStatusEx(&memory)) return true;
    return ViewerHasRoomFor(bytes, {memory.ullAvailVirtual, memory.ullAvailPhys});
}

}  // namespace

void CMardelloDlg::PrepareViewer()
{
    // Plain text, so no report line is ever taken for markup. Only an empty control with
    // nothing to undo can change its mode; at start-up it is empty.
    m_richReport.EmptyUndoBuffer();
    m_richReport.SetTextMode(TM_PLAINTEXT);
    m_richReport.LimitText(kViewerTextLimit);
}

// The VIN the device gave when it was found, or none.
void CMardelloDlg::ReadVin() { m_strVin = m_deviceFollower.Vin(); }

ReportRead CMardelloDlg::LoadReportFile(const char* fileName, CString& viewerText) const
{
    CStdioFile file;
    if (!file.Open(m_strReportFolder + "\\" + fileName, kReportOpenFlags)) return ReportRead::Missing;
    CString line;
    while (file.ReadString(line)) AppendReportLine(viewerText, line);
    const bool readFailed = file.ReadFailed();
    file.Close();
    return readFailed ? ReportRead::CutShort : ReportRead::Whole;
}

// Under Wine, taking a large text out of the viewer costs far more than putting it in (half a
// minute for 10,000 lines), so a viewer that holds text is swapped for a fresh, empty one.
void CMardelloDlg::EmptyViewer()
{
    if (m_richReport.GetTextLength() == 0) return;
    if (m_richReport.Renew(WS_VSCROLL)) {
        PrepareViewer();
        return;
    }
    m_richReport.SetSel(0, -1);
    m_richReport.ReplaceSel("", FALSE);
}

// Puts the text into the empty viewer piece by piece, unpainted until the last piece is in.
// When the process runs out of room for the viewer, the lines before that piece stay shown.
void CMardelloDlg::FillViewer(const CString& text)
{
    m_richReport.SetRedraw(FALSE);
    for (size_t from = 0; from < text.Size();) {
        const size_t end = ViewerPieceEnd(text, from, kViewerPieceBytes);
        if (!RoomForViewerPiece(end - from)) break;
        m_richReport.SetSel(-1, -1);
        m_richReport.ReplaceSel(CString(text.Bytes().data() + from, end - from), FALSE);
        from = end;
    }
    m_richReport.SetRedraw(TRUE);
    // The frame too: a scroll bar shown while painting was stopped is drawn only with it.
    m_richReport.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

// Builds the whole viewer text first and then fills the viewer with it, unpainted: appending
// line by line, with a refresh and a scroll per line, froze the window for a minute on a
// large report, and the text that results is the same.
void CMardelloDlg::ShowReports(int buttonId, const char* const* fileNames, int count, bool sectionBreaks)
{
    MarkActiveButton(buttonId);
    m_nShownReports = buttonId;
    const CString text = ViewOfReports(count, sectionBreaks, [&](int file, CString& viewerText) {
        return LoadReportFile(fileNames[file], viewerText);
    });
    EmptyViewer();
    FillViewer(text);
    UpdateData(FALSE);
    if (!text.IsEmpty()) m_richReport.PostMessage(WM_VSCROLL, SB_BOTTOM);
}

void CMardelloDlg::OnPrintAll()
{
    static const char* const kAllReports[] = {kTroubleCodes, kLiveData, kFreezeFrame};
    ShowReports(IDC_BTN_PRINT_ALL, kAllReports, 3, true);
}

void CMardelloDlg::OnPrintTroubleCode() { ShowReports(IDC_BTN_TROUBLE_CODE, &kTroubleCodes, 1, false); }

void CMardelloDlg::OnPrintLiveData() { ShowReports(IDC_BTN_LIVE_DATA, &kLiveData, 1, false); }

void CMardelloDlg::OnPrintFrozenFrame() { ShowReports(IDC_BTN_FROZEN_FRAME, &kFreezeFrame, 1, false); }

CString CMardelloDlg::ViewerText() const
{
    return m_richReport.GetTextRange(0, m_richReport.GetTextLength());
}
