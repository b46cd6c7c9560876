#pragma once
// The main window's before-and-after part: two kept runs of one vehicle, their trouble codes
// compared and handed to the window as a view, which the viewer shows as any view command's.
#include "framework/CString.h"
#include "reports/EncodingChoice.h"
#include "reports/PartCallback.h"

class CRunComparison {
public:
    // The reports are read as the viewer reads them, in the encoding chosen.
    CRunComparison(PartCallback& callback, const CEncodingChoice& encoding) : m_callback(callback), m_encoding(encoding) {}

    // Each run is its folder and its time as the history shows it.
    void Compare(const CString& vin, const CString& beforeFolder, const CString& beforeTime,
                 const CString& afterFolder, const CString& afterTime) const;

private:
    PartCallback& m_callback;
    const CEncodingChoice& m_encoding;
};
