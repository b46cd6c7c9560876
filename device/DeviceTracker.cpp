// Following the device while the program runs: found when it is plugged in, let go when it is
// pulled out. The system tells windows about volumes with WM_DEVICECHANGE, but not every system
// delivers it (Wine never does), so a light timer looks at the drive list once a second too.
#include "device/DeviceTracker.h"

#include <windows.h>
#include <dbt.h>

#include "device/SystemDrives.h"

namespace {

constexpr UINT_PTR kDeviceTimer = 0x4D44;
constexpr UINT kTickMs = 1000;

}  // namespace

BEGIN_MESSAGE_MAP(CDeviceTracker, CCmdTarget)
    ON_TIMER(kDeviceTimer, &CDeviceTracker::OnTick)
    ON_WM_DEVICECHANGE()
END_MESSAGE_MAP()

void CDeviceTracker::Watch() const { ::SetTimer(m_window.m_hWnd, kDeviceTimer, kTickMs, nullptr); }

CDeviceTracker::~CDeviceTracker()
{
    if (m_searchAhead) Search();
}

void CDeviceTracker::SearchAhead()
{
    if (!m_searchAhead) m_searchAhead = ::CreateThread(nullptr, 0, &CDeviceTracker::SearchOnThread, this, 0, nullptr);
}

DWORD WINAPI CDeviceTracker::SearchOnThread(void* tracker)
{
    auto* self = static_cast<CDeviceTracker*>(tracker);
    self->m_foundAhead = self->m_follower.Start(SystemDrives());
    return 0;
}

bool CDeviceTracker::Search()
{
    if (!m_searchAhead) return m_follower.Start(SystemDrives());
    ::WaitForSingleObject(m_searchAhead, INFINITE);
    ::CloseHandle(m_searchAhead);
    m_searchAhead = nullptr;
    return m_foundAhead;
}

void CDeviceTracker::OnTick()
{
    // Print's dialog runs a loop of its own, which lets ticks through; when it returns, Print
    // takes the VIN box, and the drive, as they were. The drives are looked at again at the
    // first tick after the command.
    if (m_window.HandlingCommand()) return;
    const DeviceFollower::Change change = m_follower.Tick(SystemDrives());
    if (change == DeviceFollower::Change::Lost) m_listener.DeviceLost();
    if (change == DeviceFollower::Change::Found) m_listener.DeviceFound(m_follower.Drive(), m_follower.Vin());
}

LRESULT CDeviceTracker::OnDeviceChange(UINT event, DWORD_PTR data)
{
    // The search at start-up still runs: the drives are compared at the first tick anyway.
    if (m_searchAhead || (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE)) return TRUE;
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (!header || header->dbch_devicetype != DBT_DEVTYP_VOLUME || header->dbch_size < sizeof(DEV_BROADCAST_VOLUME))
        return TRUE;
    // Taken in at the next tick, which never comes in the middle of a command.
    const auto* volume = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(header);
    m_follower.Announce(volume->dbcv_unitmask, event == DBT_DEVICEREMOVECOMPLETE);
    return TRUE;
}
