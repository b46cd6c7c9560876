#include "reports/ReportSource.h"

#include "reports/ReportFiles.h"

CString ReportFolderOf(const CString& drive) { return drive + "\\" + kReportFolderName; }

void ReportSource::DeviceFound(const CString& drive)
{
    m_drive = drive;
    m_keptRunFolder.Empty();
    m_keptRunTime.Empty();
}

void ReportSource::DeviceLost() { m_drive.Empty(); }

void ReportSource::KeptRunShown(const CString& folder, const CString& runTime)
{
    m_keptRunFolder = folder;
    m_keptRunTime = runTime;
}

CString ReportSource::Folder() const { return m_keptRunFolder.IsEmpty() ? ReportFolderOf(m_drive) : m_keptRunFolder; }

CString ReportSource::Status() const
{
    if (!m_keptRunFolder.IsEmpty()) return kStatusKeptRun + m_keptRunTime;
    return m_drive.IsEmpty() ? kStatusChecking : kStatusReady;
}
