#pragma once
// What the parts of the main window tell the window that owns them. The window implements it and
// hands it to each part, so no part includes the window; what a part reports, the window reads
// from the part. It lives beside the report source, which every part builds on.
#include "framework/CString.h"

class PartCallback {
public:
    // The device tracker found a device (its drive and VIN are known), or lost the one in use.
    virtual void DeviceFound() = 0;
    virtual void DeviceLost() = 0;
    // The history keeper kept a run, or could not, and read the history afresh.
    virtual void RunKept() = 0;
    // A part has something to say in the status line now, before the window goes on.
    virtual void Say(const CString& note) = 0;
    // A part has a view for the viewer, shown as a view command's, and named `shown` by Save As.
    // Its text is UTF-8, as every view's text is.
    virtual void ShowView(const char* shown, const CString& viewerText) = 0;
    // Reports are read another way now: the reports shown are read again.
    virtual void ReadReportsAgain() = 0;

protected:
    ~PartCallback() = default;
};
