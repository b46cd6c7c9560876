#pragma once
// Where the view commands, Save As and the history read the reports: the PRINT folder of the
// device in use, a kept run's folder opened from the history, or, with neither, PRINT at the
// root of the current drive. The status line says which, when nothing else is to be said.
#include "framework/CString.h"

constexpr const char* kStatusChecking = "Checking Device...";
constexpr const char* kStatusReady = "Ready To Print...";
constexpr const char* kStatusKeptRun = "Kept run of ";
constexpr const char* kStatusRunsCompared = "Compared: ";
// Added when a view replaced text typed into the viewer.
constexpr const char* kStatusNotesUndo = "  Ctrl+Z brings back your notes";

// The PRINT folder of a drive prefix ("E:"); of the current drive for an empty one.
CString ReportFolderOf(const CString& drive);

class ReportSource {
public:
    // Another device is another vehicle: it takes over from a kept run.
    void DeviceFound(const CString& drive);
    // A kept run shown stays shown.
    void DeviceLost();
    // Until the next device is found. `comparedWith`: the time of the run before it, when the
    // viewer shows the two side by side.
    void KeptRunShown(const CString& folder, const CString& runTime, const CString& comparedWith = CString());

    // The kept run shown was deleted: back to the device, or to none.
    void KeptRunGone();
    bool ShowsKeptRun() const { return !m_keptRunFolder.IsEmpty(); }
    // A view command's view replaced the comparison: the viewer shows the kept run's own reports.
    void ReportsShown() { m_comparedRunTime.Empty(); }

    CString Folder() const;
    // What the viewer shows; `notesReplaced`: the view that is shown replaced typed notes.
    CString Status(bool notesReplaced = false) const;

private:
    CString m_drive;          // empty without a device
    CString m_keptRunFolder;  // empty while no kept run is shown
    CString m_keptRunTime;
    CString m_comparedRunTime;  // empty unless two runs are compared
};
