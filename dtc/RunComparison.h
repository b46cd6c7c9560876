#pragma once
// The main window's before-and-after part: two kept runs of one vehicle, their trouble codes
// compared and handed to the window as a view, which the viewer shows as any view command's.
#include "framework/CString.h"
#include "reports/EncodingChoice.h"

// What the comparison part tells the window that owns it.
class RunComparisonListener {
public:
    // A view for the viewer, shown as a view command's and named `shown` by Save As; its text is
    // UTF-8, as every view's text is.
    virtual void ShowView(const char* shown, const CString& viewerText) = 0;
    // Something to say in the status line now, before the window goes on.
    virtual void Say(const CString& note) = 0;

protected:
    ~RunComparisonListener() = default;
};

class CRunComparison {
public:
    // The reports are read as the viewer reads them, in the encoding chosen.
    CRunComparison(RunComparisonListener& listener, const CEncodingChoice& encoding)
        : m_listener(listener), m_encoding(encoding)
    {
    }

    // Each run is its folder and its time as the history shows it.
    void Compare(const CString& vin, const CString& beforeFolder, const CString& beforeTime,
                 const CString& afterFolder, const CString& afterTime) const;

private:
    RunComparisonListener& m_listener;
    const CEncodingChoice& m_encoding;
};
