// Following the device while the program runs: found when it is plugged in, let go when it is
// pulled out. The system tells windows about volumes with WM_DEVICECHANGE, but not every system
// delivers it (Wine never does), so a light timer looks at the drive list once a second too.
#include <windows.h>
#include <dbt.h>

#include "device/SystemDrives.h"
#include "ui/MardelloDlg.h"

namespace {

constexpr UINT_PTR kDeviceTimer = 0x4D44;
constexpr UINT kTickMs = 1000;

}  // namespace

void CMardelloDlg::WatchDrives() { ::SetTimer(m_hWnd, kDeviceTimer, kTickMs, nullptr); }

void CMardelloDlg::OnTimer(UINT_PTR id)
{
    if (id != kDeviceTimer) {
        if (!OnKeepTimer(id)) Default();
        return;
    }
    // Print's dialog runs a loop of its own, which lets ticks through; when it returns, Print
    // takes the VIN box, and the drive, as they were. The drives are looked at again at the
    // first tick after the command.
    if (HandlingCommand()) return;
    FollowDevice();
}

LRESULT CMardelloDlg::OnDeviceChange(UINT event, DWORD_PTR data)
{
    if (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE) return TRUE;
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (!header || header->dbch_devicetype != DBT_DEVTYP_VOLUME || header->dbch_size < sizeof(DEV_BROADCAST_VOLUME))
        return TRUE;
    // Taken in at the next tick, which never comes in the middle of a command.
    const auto* volume = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(header);
    m_deviceFollower.Announce(volume->dbcv_unitmask, event == DBT_DEVICEREMOVECOMPLETE);
    return TRUE;
}

void CMardelloDlg::FollowDevice()
{
    const DeviceFollower::Change change = m_deviceFollower.Tick(SystemDrives());
    if (change == DeviceFollower::Change::None) return;
    m_strDrive = m_deviceFollower.Drive();
    if (change == DeviceFollower::Change::Lost) {
        // The VIN box and the viewer keep what they show, for printing and copying; view
        // commands now read as without a device, unless a kept run is shown.
        if (m_strKeptRunStatus.IsEmpty()) m_strReportFolder = kReportFolderWithoutDevice;
        m_strStatus = SourceStatus();
        ShowStatus();
        return;
    }
    // Another device is another vehicle: its VIN, or none, replaces what the box shows, typed
    // or read. The viewer waits for a command.
    m_strReportFolder = m_strDrive + "\\PRINT";
    m_strKeptRunStatus.Empty();
    m_strStatus = kStatusReady;
    ReadVin();
    GetDlgItem(IDC_EDIT_VIN).SetWindowText(m_strVin);
    ShowStatus();
    KeepDeviceRun();
}

void CMardelloDlg::ShowStatus() { ShowSeeThrough(IDC_STATIC_STATUS, m_strStatus); }
