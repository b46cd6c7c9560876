#pragma once
// Following the device: which drive it is, when it is lost and when another one is found,
// decided from what the system answers about its drives. The window asks the system through
// Win32; the unit tests answer from a table.
#include <cstdint>
#include <vector>

#include "device/DeviceWatch.h"
#include "framework/CString.h"

// What following the device asks of the system about its drives. A drive is named as report
// paths start ("E:").
class DriveQuestions {
public:
    virtual std::uint32_t DriveMask() const = 0;          // a bit per letter, A the lowest
    virtual std::vector<CString> DriveRoots() const = 0;  // "C:\", "E:\", in the system's order
    virtual bool IsRemovable(const CString& root) const = 0;
    // Whether the drive's root lists a folder PRINT (in any case): the search's look.
    virtual bool ListsReportFolder(const CString& drive) const = 0;
    // Whether the drive's PRINT folder is still there: the cheap look at the device in use.
    virtual bool HasReportFolder(const CString& drive) const = 0;
    // The first line of the device's VIN file; false when there is none to read.
    virtual bool ReadVin(const CString& drive, CString& vin) const = 0;

protected:
    ~DriveQuestions() = default;
};

class DeviceFollower {
public:
    enum class Change { None, Lost, Found };

    // At start-up: the drives as they are now are the ones later ticks compare with, then the
    // first search. True when a device was found.
    bool Start(const DriveQuestions& system);
    // The system announced volumes arriving or going (the letters in `unitMask`).
    void Announce(std::uint32_t unitMask, bool removed) { m_watch.Announce(unitMask, removed); }
    // One look, once a tick. A device lost and another found in the same tick is Found.
    Change Tick(const DriveQuestions& system);

    const CString& Drive() const { return m_drive; }  // empty without a device
    // The VIN the device in use gave; empty when it had none, never an earlier device's.
    const CString& Vin() const { return m_vin; }

private:
    bool Search(const DriveQuestions& system);

    DeviceWatch m_watch;
    CString m_drive;
    CString m_vin;
};
