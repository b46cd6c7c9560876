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
    m_strStatus = m_reportSource.Status();
    return TRUE;
}

BOOL CMardelloDlg::FindDevice()
{
    const BOOL found = SearchForDevice();
    UpdateData(FALSE);
    return found;
}

// Another device is another vehicle: its VIN, or none, replaces what the box shows, typed or
// read. The viewer waits for a command.
void CMardelloDlg::DeviceFound()
{
    m_strDrive = m_deviceTracker.Drive();
    m_reportSource.DeviceFound(m_strDrive);
    m_encodingChoice.SourceChanged();
    m_strStatus = m_reportSource.Status();
    m_strVin = m_deviceTracker.Vin();
    GetDlgItem(IDC_EDIT_VIN).SetWindowText(m_strVin);
    ShowStatus();
    m_historyKeeper.Keep(m_reportSource.Folder(), m_strVin);
}

// The VIN box and the viewer keep what they show, for printing and copying; view commands now
// read as without a device, unless a kept run is shown.
void CMardelloDlg::DeviceLost()
{
    m_strDrive = m_deviceTracker.Drive();
    m_reportSource.DeviceLost();
    m_strStatus = m_reportSource.Status();
    ShowStatus();
}
