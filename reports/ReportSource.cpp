#include "reports/ReportSource.h"

#include "reports/ReportFiles.h"

namespace {

// "2026-01-02 03:04:05" to the minute: two times with their seconds do not fit the status line.
CString ToTheMinute(const CString& runTime) { return runTime.GetLength() == 19 ? runTime.Left(16) : runTime; }

}  // namespace

CString ReportFolderOf(const CString& drive) { return drive + "\\" + kReportFolderName; }

void ReportSource::DeviceFound(const CString& drive)
{
    m_drive = drive;
    m_keptRunFolder.Empty();
    m_keptRunTime.Empty();
    m_comparedRunTime.Empty();
}

void ReportSource::DeviceLost() { m_drive.Empty(); }

void ReportSource::KeptRunShown(const CString& folder, const CString& runTime, const CString& comparedWith)
{
    m_keptRunFolder = folder;
    m_keptRunTime = runTime;
    m_comparedRunTime = comparedWith;
}

void ReportSource::KeptRunGone() { KeptRunShown(CString(), CString(), CString()); }

CString ReportSource::Folder() const { return m_keptRunFolder.IsEmpty() ? ReportFolderOf(m_drive) : m_keptRunFolder; }

CString ReportSource::Status(bool notesReplaced) const
{
    CString status;
    if (!m_comparedRunTime.IsEmpty())
        status = kStatusRunsCompared + ToTheMinute(m_comparedRunTime) + " and " + ToTheMinute(m_keptRunTime);
    else if (!m_keptRunFolder.IsEmpty())
        status = kStatusKeptRun + m_keptRunTime;
    else
        status = m_drive.IsEmpty() ? kStatusChecking : kStatusReady;
    return notesReplaced ? status + kStatusNotesUndo : status;
}
