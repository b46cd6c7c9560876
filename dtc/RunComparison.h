#pragma once
// The main window's before-and-after part: two kept runs of one vehicle, their trouble codes
// compared and handed to the window as a view, which the viewer shows as any view command's.
#include "framework/CString.h"
#include "reports/PartCallback.h"

class CRunComparison {
public:
    explicit CRunComparison(PartCallback& callback) : m_callback(callback) {}

    // Each run is its folder and its time as the history shows it.
    void Compare(const CString& vin, const CString& beforeFolder, const CString& beforeTime,
                 const CString& afterFolder, const CString& afterTime) const;

private:
    PartCallback& m_callback;
};
