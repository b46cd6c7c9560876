// The history window from the main window (Ctrl+H, the window menu, the viewer's menu), and a
// kept run shown as a device is: the view commands, Print and Copy read its folder.
#include "device/DeviceSearch.h"
#include "history/RunName.h"
#include "ui/HistoryDlg.h"
#include "ui/MardelloDlg.h"

void CMardelloDlg::OnHistory()
{
    CHistoryDlg history(KeepNote(), m_bKeptRunsRead ? &m_keptRuns : nullptr, this);
    m_pHistoryDlg = &history;
    const INT_PTR chosen = history.DoModal();
    m_pHistoryDlg = nullptr;
    if (m_bKeptRunsRead) m_keptRuns = history.Runs();
    if (!m_strKeptRunStatus.IsEmpty() && history.Deleted(m_strReportFolder)) LeaveKeptRun();
    if (chosen != IDOK) return;
    ShowKeptRun(history.ChosenFolder(), RunTimeText(history.ChosenRun().time));
}

// Until the next device is found. The viewer waits for a command, as when a device is found.
void CMardelloDlg::ShowKeptRun(const CString& folder, const CString& runTime)
{
    m_strReportFolder = folder;
    m_strKeptRunStatus = kStatusKeptRun + runTime;
    m_strStatus = m_strKeptRunStatus;
    m_strVin.Empty();
    ReadVinFile(folder, m_strVin);
    GetDlgItem(IDC_EDIT_VIN).SetWindowText(m_strVin);
    ShowStatus();
}

// The shown run is gone: back to the device, or to none, as if the run had never been opened.
// The viewer keeps its text, as it does when a device comes or goes.
void CMardelloDlg::LeaveKeptRun()
{
    m_strKeptRunStatus.Empty();
    m_strReportFolder = m_strDrive.IsEmpty() ? CString(kReportFolderWithoutDevice) : m_strDrive + "\\PRINT";
    m_strStatus = SourceStatus();
    ReadVin();
    GetDlgItem(IDC_EDIT_VIN).SetWindowText(m_strVin);
    ShowStatus();
}

CString CMardelloDlg::SourceStatus() const
{
    if (!m_strKeptRunStatus.IsEmpty()) return m_strKeptRunStatus;
    return m_strDrive.IsEmpty() ? kStatusChecking : kStatusReady;
}
