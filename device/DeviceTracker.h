#pragma once
// The main window's device part: it follows the device while the program runs and tells the
// window when one is found or lost.
#include "device/DeviceFollower.h"
#include "framework/Dialog.h"

// What the device part tells the window that owns it.
class DeviceListener {
public:
    // A device was found: its drive prefix ("E:") and its VIN, empty when it has none to read.
    virtual void DeviceFound(const CString& drive, const CString& vin) = 0;
    // The device in use was lost.
    virtual void DeviceLost() = 0;

protected:
    ~DeviceListener() = default;
};

class CDeviceTracker : public CCmdTarget {
public:
    CDeviceTracker(const CDialog& window, DeviceListener& listener) : m_window(window), m_listener(listener) {}
    ~CDeviceTracker() override;
    CDeviceTracker(const CDeviceTracker&) = delete;
    CDeviceTracker& operator=(const CDeviceTracker&) = delete;

    // From now on the drives are looked at once a tick.
    void Watch() const;
    // Begins the start-up search on a thread of its own, so that it runs while the window's
    // controls are made.
    void SearchAhead();
    // The search at start-up, or the end of the one begun ahead; true when a device was found.
    bool Search();
    const CString& Drive() const { return m_follower.Drive(); }  // empty without a device
    const CString& Vin() const { return m_follower.Vin(); }

    DECLARE_MESSAGE_MAP()

private:
    static DWORD WINAPI SearchOnThread(void* tracker);
    void OnTick();
    LRESULT OnDeviceChange(UINT event, DWORD_PTR data);

    const CDialog& m_window;
    DeviceListener& m_listener;
    DeviceFollower m_follower;  // only the search ahead touches it while it runs
    HANDLE m_searchAhead = nullptr;
    bool m_foundAhead = false;
};
