// Save As: the viewer's text, as shown and edited, into a text file for Notepad and e-mail: the
// system code page's bytes with CR LF line ends, the same text Copy puts on the clipboard. It
// proposes a name in the history's folder from the VIN, the date of the reports and the view.
#include <windows.h>

#include "framework/FileDialog.h"
#include "history/HistoryFolder.h"
#include "history/KeepRun.h"
#include "output/ClipboardText.h"
#include "output/SaveAsName.h"
#include "ui/MardelloDlg.h"

namespace {

constexpr const char* kTextFiles = "Text files (*.txt)|*.txt|All files (*.*)|*.*|";

// The date the reports shown were written: the newest of their files' times (a kept run's keep
// the device's), or today's where there is none to read.
CString ReportsDate(const CString& reportFolder)
{
    FILETIME newest{};
    for (const char* name : kRunReportFiles) {
        WIN32_FILE_ATTRIBUTE_DATA file;
        if (::GetFileAttributesExA(reportFolder + "\\" + name, GetFileExInfoStandard, &file) &&
            ::CompareFileTime(&file.ftLastWriteTime, &newest) > 0)
            newest = file.ftLastWriteTime;
    }
    RunTime date = LocalTimeOf(newest);
    if (newest.dwHighDateTime == 0 || date.year == 0) {
        SYSTEMTIME today;
        ::GetLocalTime(&today);
        date = {today.wYear, today.wMonth, today.wDay, 0, 0, 0};
    }
    return RunTimeText(date).Left(10);  // "2026-12-08"
}

const char* ReportName(int viewButton)
{
    switch (viewButton) {
    case IDC_BTN_PRINT_ALL: return "All Reports";
    case IDC_BTN_TROUBLE_CODE: return "Trouble Codes";
    case IDC_BTN_LIVE_DATA: return "Live Data";
    case IDC_BTN_FROZEN_FRAME: return "Freeze Frame";
    default: return "Report";
    }
}

// The last error, never 0: a call that failed without saying why still failed.
DWORD LastError()
{
    const DWORD error = ::GetLastError();
    return error != 0 ? error : ERROR_WRITE_FAULT;
}

// Written beside the file under another name and put in its place only when whole, so a full
// disk or a pulled-out stick leaves the old file as it was. A write may report success having
// written less (a full disk on some systems): the rest is written again, and a write that takes
// nothing is a full disk. Returns the system's error, or 0.
DWORD WriteWhole(const CString& path, const CString& bytes)
{
    const CString partial = path + ".saving";
    HANDLE file = ::CreateFileA(partial, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return LastError();
    DWORD error = 0;
    for (size_t done = 0; error == 0 && done < bytes.Size();) {
        DWORD written = 0;
        if (!::WriteFile(file, bytes.GetString() + done, static_cast<DWORD>(bytes.Size() - done), &written, nullptr))
            error = LastError();
        else if (written == 0)
            error = ERROR_DISK_FULL;
        done += written;
    }
    if (error == 0 && !::FlushFileBuffers(file)) error = LastError();
    if (!::CloseHandle(file) && error == 0) error = LastError();
    if (error == 0 && !::MoveFileExA(partial, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = LastError();
    if (error != 0) ::DeleteFileA(partial);
    return error;
}

}  // namespace

void CMardelloDlg::OnSaveAs()
{
    UpdateData(TRUE);
    const CString name = SaveAsName(m_strVin, ReportsDate(m_strReportFolder), ReportName(m_nShownReports));
    CFileDialog dialog(FALSE, "txt", name, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY, kTextFiles,
                       this);
    const CString history = HistoryFolder();
    if (!history.IsEmpty()) ::CreateDirectoryA(history, nullptr);
    dialog.SetInitialFolder(history);
    if (dialog.DoModal() != IDOK) return;
    const DWORD error = WriteWhole(dialog.GetPathName(), ClipboardText(ViewerText()));
    if (error == 0) return;
    // As a failed print, said in the status line until the device's next coming or going.
    m_strStatus = "Not saved: " + SystemMessage(error);
    ShowStatus();
}
