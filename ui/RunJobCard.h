#pragma once
// The main window's job card part: the card of the run in view, which Job Details (Ctrl+J) edits
// and print, Save As and Copy carry. A kept run's card is its folder's file. A device's card is
// held here until its run is kept, then goes into the kept copy; with keeping off, or a device
// pulled out before its run was kept, it goes with the device.
#include <string>

#include "framework/Wnd.h"
#include "jobcard/JobCard.h"

// What the job card part tells the window that owns it.
class JobCardListener {
public:
    // Something to say in the status line now, before the window goes on.
    virtual void Say(const CString& note) = 0;
    // The card of the run kept in `runFolder` was written.
    virtual void JobCardKept(const CString& runFolder, const JobCard& card) = 0;

protected:
    ~JobCardListener() = default;
};

class CRunJobCard : public CCmdTarget {
public:
    CRunJobCard(const CWnd& window, JobCardListener& listener) : m_window(window), m_listener(listener) {}

    // Another device is another run, with a card of its own.
    void DeviceFound(const CString& printFolder);
    void DeviceLost();
    // The run of the device at `printFolder` is kept in `runFolder`, now or before: a card typed
    // meanwhile goes into it, else the kept card is the device's.
    void DeviceRunKept(const CString& printFolder, const CString& runFolder);
    // A kept run opened from the history, until it is left for the device's, with its card as read
    // on opening and what of it could not be read (said when not empty).
    void KeptRunShown(const CString& runFolder, const JobCard& card, const CString& note);
    void KeptRunLeft();

    // The card of the run in view; empty with none.
    const JobCard& Card() const;
    // The viewer's text with the card's line at the top and its notes at the end, as saved and copied.
    std::wstring WithCard(const std::wstring& viewerText) const;

    DECLARE_MESSAGE_MAP()

private:
    void OnJobDetails();
    // Reads the card of a kept run, saying what of it could not be read.
    JobCard ReadOf(const CString& runFolder);
    // False when the file could not be written, which is said.
    bool WriteTo(const CString& runFolder, const JobCard& card);

    const CWnd& m_window;
    JobCardListener& m_listener;
    CString m_devicePrint;      // the device's PRINT folder; empty without a device
    CString m_deviceRunFolder;  // where the device's run is kept; empty until it is
    JobCard m_deviceCard;
    CString m_keptRunFolder;    // the kept run in view; empty when the device's run is
    JobCard m_keptCard;
};

// The viewer's text with the card's line at the top and its notes at the end, as saved and copied.
std::wstring ViewerTextWithJobCard(const std::wstring& viewerText, const JobCard& card);
