#pragma once
// Where the view commands, Save As and the history read the reports: the PRINT folder of the
// device in use, a kept run's folder opened from the history, or, with neither, PRINT at the
// root of the current drive; the VIN that goes with them. The status line says which, when
// nothing else is to be said.
#include "framework/CString.h"

constexpr const char* kStatusChecking = "Checking Device...";
constexpr const char* kStatusReady = "Ready To Print...";
constexpr const char* kStatusKeptRun = "Kept run of ";
constexpr const char* kStatusRunsCompared = "Compared: ";
// Added when a view replaced text typed into the viewer.
constexpr const char* kStatusNotesUndo = "  Ctrl+Z brings back your notes";

// The PRINT folder of a drive prefix ("E:"); of the current drive for an empty one.
CString ReportFolderOf(const CString& drive);

// What the status line says when `folder` (a share) stopped answering: "S:\\Mardello does not
// answer: " and what could not be done, "the Live Data report could not be read".
CString NoAnswerNote(const CString& folder, const CString& what);
// The history folder a kept run's folder is in: the run is history\\VIN\\run.
CString HistoryFolderOfRun(const CString& runFolder);

class ReportSource {
public:
    // Another device is another vehicle: it takes over from a kept run, with its VIN.
    void DeviceFound(const CString& drive, const CString& vin);
    // A kept run shown stays shown. `vinShown`: what the VIN box shows, typed or read, which
    // stays the VIN.
    void DeviceLost(const CString& vinShown);
    // Until the next device is found. `comparedWith`: the time of the run before it, when the
    // viewer shows the two side by side.
    void KeptRunShown(const CString& folder, const CString& runTime, const CString& vin,
                      const CString& comparedWith = CString());

    // The kept run shown was deleted: back to the device and its VIN, or to none.
    void KeptRunGone();
    bool HasDevice() const { return !m_drive.IsEmpty(); }
    bool ShowsKeptRun() const { return !m_keptRunFolder.IsEmpty(); }
    const CString& KeptRunTime() const { return m_keptRunTime; }
    bool HasReports() const { return HasDevice() || ShowsKeptRun(); }
    // A view command's view replaced the comparison: the viewer shows the kept run's own reports.
    void ReportsShown() { m_comparedRunTime.Empty(); }
    // A view was shown; `notesReplaced`: it replaced typed notes, which Ctrl+Z brings back.
    void ViewShown(bool notesReplaced);
    // The view about to be shown lacks reports whose folder did not answer: the note is said
    // once it is shown, over what the status line would say.
    void SayWithView(const CString& note) { m_viewNote = note; }
    // What a print, a save or the history has to say; it stands in for the status until the
    // next change of source, the next view or the next note. An empty note says nothing.
    void Say(const CString& note);

    CString Folder() const;
    // The folder a note names when the reports' folder does not answer: the history folder of a
    // kept run, the device's PRINT folder.
    CString FolderToName() const;
    // The VIN of the last change of source, once: true and `vin` set when there was one since
    // the last call. Typed VINs are the VIN box's own between changes.
    bool TakeNewVin(CString& vin);
    // What the viewer shows, or what was said last.
    CString Status() const;

private:
    // A change of source: what was said about the last one no longer holds.
    void SourceChanged(const CString& vin);

    CString m_drive;          // empty without a device
    CString m_deviceVin;      // the device's VIN, as read when it was found
    CString m_vin;            // the VIN that goes with the reports
    bool m_vinIsNew = false;  // changed since it was last taken
    CString m_keptRunFolder;  // empty while no kept run is shown
    CString m_keptRunTime;
    CString m_comparedRunTime;  // empty unless two runs are compared
    bool m_notesReplaced = false;
    CString m_note;      // empty when nothing was said
    CString m_viewNote;  // said with the next view
};
