#include "reports/ReportSource.h"

#include "reports/ReportFiles.h"

namespace {

// "2026-01-02 03:04:05" to the minute: two times with their seconds do not fit the status line.
CString ToTheMinute(const CString& runTime) { return runTime.GetLength() == 19 ? runTime.Left(16) : runTime; }

}  // namespace

CString ReportFolderOf(const CString& drive) { return drive + "\\" + kReportFolderName; }

CString NoAnswerNote(const CString& folder, const CString& what) { return folder + " does not answer: " + what + "."; }

CString HistoryFolderOfRun(const CString& runFolder)
{
    const std::string& path = runFolder.Bytes();
    const size_t runStart = path.find_last_of('\\');
    if (runStart == std::string::npos || runStart == 0) return runFolder;
    const size_t vinStart = path.find_last_of('\\', runStart - 1);
    return vinStart == std::string::npos ? runFolder : CString(path.substr(0, vinStart));
}

void ReportSource::SourceChanged(const CString& vin)
{
    m_vin = vin;
    m_vinIsNew = true;
    m_notesReplaced = false;
    m_note.Empty();
}

void ReportSource::DeviceFound(const CString& drive, const CString& vin)
{
    m_drive = drive;
    m_deviceVin = vin;
    m_keptRunFolder.Empty();
    m_keptRunTime.Empty();
    m_comparedRunTime.Empty();
    SourceChanged(vin);
}

void ReportSource::DeviceLost(const CString& vinShown)
{
    m_drive.Empty();
    m_deviceVin.Empty();
    SourceChanged(vinShown);
}

void ReportSource::KeptRunShown(const CString& folder, const CString& runTime, const CString& vin,
                                const CString& comparedWith)
{
    m_keptRunFolder = folder;
    m_keptRunTime = runTime;
    m_comparedRunTime = comparedWith;
    SourceChanged(vin);
}

void ReportSource::KeptRunGone() { KeptRunShown(CString(), CString(), m_deviceVin, CString()); }

void ReportSource::ViewShown(bool notesReplaced)
{
    m_notesReplaced = notesReplaced;
    m_note = m_viewNote;
    m_viewNote.Empty();
}

void ReportSource::Say(const CString& note)
{
    m_notesReplaced = false;
    m_note = note;
}

CString ReportSource::Folder() const { return m_keptRunFolder.IsEmpty() ? ReportFolderOf(m_drive) : m_keptRunFolder; }

CString ReportSource::FolderToName() const
{
    return m_keptRunFolder.IsEmpty() ? ReportFolderOf(m_drive) : HistoryFolderOfRun(m_keptRunFolder);
}

bool ReportSource::TakeNewVin(CString& vin)
{
    if (!m_vinIsNew) return false;
    m_vinIsNew = false;
    vin = m_vin;
    return true;
}

CString ReportSource::Status() const
{
    if (!m_note.IsEmpty()) return m_note;
    CString status;
    if (!m_comparedRunTime.IsEmpty())
        status = kStatusRunsCompared + ToTheMinute(m_comparedRunTime) + " and " + ToTheMinute(m_keptRunTime);
    else if (!m_keptRunFolder.IsEmpty())
        status = kStatusKeptRun + m_keptRunTime;
    else
        status = m_drive.IsEmpty() ? kStatusChecking : kStatusReady;
    return m_notesReplaced ? status + kStatusNotesUndo : status;
}
