// The device in the main window: the search at start-up, and a device found or lost while the
// program runs, as the device tracker reports it.
#include "ui/MardelloDlg.h"

// The start-up search; the device's VIN is read with it. Only the members are set here; the
// caller decides which controls show the result.
BOOL CMardelloDlg::SearchForDevice()
{
    if (!m_deviceTracker.Search()) return FALSE;
    m_strDrive = m_deviceTracker.Drive();
    m_reportSource.DeviceFound(m_strDrive);
    m_jobCard.DeviceFound(m_reportSource.Folder());
    m_strStatus = m_reportSource.Status();
    return TRUE;
}

BOOL CMardelloDlg::FindDevice()
{
    const BOOL found = SearchForDevice();
    UpdateData(FALSE);
    return found;
}

// Another device is another vehicle, or the same one after a repair: its VIN, or none, replaces
// what the box shows, typed or read, and the view shown is read from it.
void CMardelloDlg::DeviceFound(const CString& drive, const CString& vin)
{
    m_strDrive = drive;
    m_reportSource.DeviceFound(m_strDrive);
    m_jobCard.DeviceFound(m_reportSource.Folder());
    m_strVin = vin;
    GetDlgItem(IDC_EDIT_VIN).SetWindowText(m_strVin);
    ReportSourceChanged();
    m_historyKeeper.Keep(m_reportSource.Folder(), m_strVin);
}

// The VIN box keeps what it shows, typed or read; the viewer is emptied, unless a kept run is
// shown, which stays shown.
void CMardelloDlg::DeviceLost()
{
    m_strDrive.Empty();
    m_strVin = GetDlgItem(IDC_EDIT_VIN).GetWindowText();
    const bool keptRunShown = m_reportSource.ShowsKeptRun();
    m_reportSource.DeviceLost();
    m_jobCard.DeviceLost();
    if (keptRunShown) {
        m_strStatus = m_reportSource.Status();
        ShowStatus();
        return;
    }
    ReportSourceChanged();
}
