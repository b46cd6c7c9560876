#pragma once
// The main window's device part: it follows the device while the program runs and tells the
// window when one is found or lost.
#include "device/DeviceFollower.h"
#include "framework/Dialog.h"
#include "reports/PartCallback.h"

class CDeviceTracker : public CCmdTarget {
public:
    CDeviceTracker(const CDialog& window, PartCallback& callback) : m_window(window), m_callback(callback) {}

    // From now on the drives are looked at once a tick.
    void Watch() const;
    // The search at start-up; true when a device was found.
    bool Search();
    const CString& Drive() const { return m_follower.Drive(); }  // empty without a device
    const CString& Vin() const { return m_follower.Vin(); }

    DECLARE_MESSAGE_MAP()

private:
    void OnTick();
    LRESULT OnDeviceChange(UINT event, DWORD_PTR data);

    const CDialog& m_window;
    PartCallback& m_callback;
    DeviceFollower m_follower;
};
