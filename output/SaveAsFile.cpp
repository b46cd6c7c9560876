#include "output/SaveAsFile.h"

#include "framework/LocalTime.h"
#include "framework/WideText.h"
#include "reports/ClipboardText.h"
#include "reports/ReportFiles.h"

CString ReportsTime(const CString& reportFolder)
{
    FILETIME newest{};
    for (const ReportFile& report : kRunFiles) {
        WIN32_FILE_ATTRIBUTE_DATA file;
        if (::GetFileAttributesExA(reportFolder + "\\" + report.name, GetFileExInfoStandard, &file) &&
            ::CompareFileTime(&file.ftLastWriteTime, &newest) > 0)
            newest = file.ftLastWriteTime;
    }
    LocalTime time = LocalTimeOf(newest);
    if (newest.dwHighDateTime == 0 || time.year == 0) {
        SYSTEMTIME now;
        ::GetLocalTime(&now);
        time = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    }
    return LocalTimeText(time);
}

CString SavedText(const std::wstring& viewerCharacters, bool& inUtf8)
{
    const CString utf8 = ClipboardText(CString(NarrowText(viewerCharacters.data(), viewerCharacters.size(), CP_UTF8)));
    const std::wstring lines = WideText(utf8, static_cast<int>(utf8.Size()), CP_UTF8);
    bool allFit = true;
    CString bytes(NarrowText(lines.data(), lines.size(), CP_ACP, &allFit));
    inUtf8 = !allFit;
    return inUtf8 ? "\xEF\xBB\xBF" + utf8 : bytes;
}

// The last error, never 0: a call that failed without saying why still failed.
static DWORD LastError()
{
    const DWORD error = ::GetLastError();
    return error != 0 ? error : ERROR_WRITE_FAULT;
}

// A write may report success having written less (a full disk on some systems): the rest is
// written again, and a write that takes nothing is a full disk.
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
