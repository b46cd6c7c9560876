// The device in the main window: the search at start-up, and a device found or lost while the
// program runs, as the device tracker reports it; where the reports come from, on screen.
#include "ui/MardelloDlg.h"

// The start-up search; the device's VIN is read with it. Only the members are set here; the
// caller decides which controls show the result.
BOOL CMardelloDlg::SearchForDevice()
{
    if (!m_deviceTracker.Search()) return FALSE;
    m_reportSource.DeviceFound(m_deviceTracker.Drive(), m_deviceTracker.Vin());
    m_jobCard.DeviceFound(m_reportSource.Folder());
    TakeSource();
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
    m_reportSource.DeviceFound(drive, vin);
    m_jobCard.DeviceFound(m_reportSource.Folder());
    ReportSourceChanged();
    m_historyKeeper.Keep(m_reportSource.Folder(), vin);
}

// The VIN box keeps what it shows, typed or read; the viewer is emptied, unless a kept run is
// shown, which stays shown.
void CMardelloDlg::DeviceLost()
{
    const bool keptRunShown = m_reportSource.ShowsKeptRun();
    m_reportSource.DeviceLost(GetDlgItem(IDC_EDIT_VIN).GetWindowText());
    m_jobCard.DeviceLost();
    if (keptRunShown) {
        ShowSource();
        return;
    }
    ReportSourceChanged();
}

bool CMardelloDlg::TakeSource()
{
    const bool newVin = m_reportSource.TakeNewVin(m_strVin);
    m_strStatus = m_reportSource.Status();
    return newVin;
}

// As the controls are refreshed, the VIN box is set only when its text differs.
void CMardelloDlg::ShowSource()
{
    const CWnd vinBox = GetDlgItem(IDC_EDIT_VIN);
    if (TakeSource() && vinBox.GetWindowText() != m_strVin) vinBox.SetWindowText(m_strVin);
    m_skin.ShowStatus(m_strStatus);
}
