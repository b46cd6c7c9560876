#include "device/DeviceFollower.h"

#include "device/DriveList.h"

bool DeviceFollower::Start(const DriveQuestions& system)
{
    m_watch.Start(system.DriveMask());
    return Search(system);
}

DeviceFollower::Change DeviceFollower::Tick(const DriveQuestions& system)
{
    Change change = Change::None;
    if (!m_drive.IsEmpty()) {
        // The device in use stays until it is gone, whatever else is plugged in meanwhile, so
        // only its own folder is looked at.
        if (!m_watch.AnnouncedRemoved(m_drive[0]) && system.HasReportFolder(m_drive)) return Change::None;
        m_drive.Empty();
        m_watch.DeviceLost();
        change = Change::Lost;
    }
    if (!m_watch.SearchDue(system.DriveMask()) || !Search(system)) return change;
    m_watch.DeviceFound();
    return Change::Found;
}

// The first removable drive, in drive order, whose root holds PRINT. Another device is another
// vehicle: its VIN, or none, replaces the last one.
bool DeviceFollower::Search(const DriveQuestions& system)
{
    for (const CString& root : system.DriveRoots()) {
        const CString drive = DrivePrefix(root);
        if (!system.IsRemovable(root) || !system.ListsReportFolder(drive)) continue;
        m_drive = drive;
        m_vin.Empty();
        system.ReadVin(m_drive, m_vin);
        return true;
    }
    return false;
}
