#include "output/SaveAsFile.h"

#include "history/KeepRun.h"
#include "reports/ReportFiles.h"

CString ReportsDate(const CString& reportFolder)
{
    FILETIME newest{};
    for (const ReportFile& report : kRunFiles) {
        WIN32_FILE_ATTRIBUTE_DATA file;
        if (::GetFileAttributesExA(reportFolder + "\\" + report.name, GetFileExInfoStandard, &file) &&
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

DWORD WriteWhole(const CString& path, const CString& bytes)
{
    const CString partial = path + ".saving";
    HANDLE file = ::CreateFileA(partial, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return ::GetLastError();
    DWORD written = 0;
    BOOL whole = ::WriteFile(file, bytes.GetString(), static_cast<DWORD>(bytes.Size()), &written, nullptr) &&
                 written == bytes.Size() && ::FlushFileBuffers(file);
    DWORD error = whole ? 0 : ::GetLastError();
    if (!::CloseHandle(file) && whole) error = ::GetLastError();
    if (error == 0 && !::MoveFileExA(partial, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = ::GetLastError();
    if (error != 0) ::DeleteFileA(partial);
    return error;
}
