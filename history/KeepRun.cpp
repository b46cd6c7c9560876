#include "history/KeepRun.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "history/HistoryFolder.h"
#include "history/RunName.h"
#include "history/SameRun.h"
#include "history/VinFolder.h"
#include "reports/ReportFiles.h"

namespace {

// A larger report is no report the device writes; reading it whole would only take the memory.
constexpr ULONGLONG kLargestReport = 256ull * 1024 * 1024;
constexpr DWORD kPieceBytes = 1024 * 1024;
constexpr int kMostRunsInOneSecond = 100;

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle()
    {
        if (IsOpen()) ::CloseHandle(m_handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

struct Failure {
    CString why;
};

Failure FailureOf(const char* doing, const CString& path)
{
    return {CString(doing) + " " + path + ": " + SystemMessage(::GetLastError())};
}

// The whole file, read while others may go on reading and writing it.
bool ReadShared(const CString& path, std::string& bytes, FILETIME& written, Failure& failure)
{
    const FileHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size{};
    if (!file.IsOpen() || !::GetFileSizeEx(file.Get(), &size) || !::GetFileTime(file.Get(), nullptr, nullptr, &written)) {
        failure = FailureOf("reading", path);
        return false;
    }
    if (static_cast<ULONGLONG>(size.QuadPart) > kLargestReport) {
        failure = {path + ": larger than 256 MB"};
        return false;
    }
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t got = 0;
    while (got < bytes.size()) {
        DWORD piece = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<size_t>(kPieceBytes, bytes.size() - got));
        if (!::ReadFile(file.Get(), &bytes[got], wanted, &piece, nullptr)) {
            failure = FailureOf("reading", path);
            return false;
        }
        if (piece == 0) break;  // the file got shorter meanwhile: what it holds now is the report
        got += piece;
    }
    bytes.resize(got);
    return true;
}

bool WriteNew(const CString& path, const std::string& bytes, const FILETIME& written, Failure& failure)
{
    const FileHandle file(::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    bool ok = file.IsOpen();
    for (size_t done = 0; ok && done < bytes.size();) {
        DWORD piece = 0;
        const DWORD count = static_cast<DWORD>(std::min<size_t>(kPieceBytes, bytes.size() - done));
        ok = ::WriteFile(file.Get(), bytes.data() + done, count, &piece, nullptr) && piece == count;
        done += piece;
    }
    // On the disk before the run is renamed into the history, so a power cut leaves no run of empty files.
    ok = ok && ::SetFileTime(file.Get(), nullptr, nullptr, &written) && ::FlushFileBuffers(file.Get());
    if (!ok) failure = FailureOf("writing", path);
    return ok;
}

bool MakeFolder(const CString& path, Failure& failure)
{
    if (::CreateDirectoryA(path, nullptr)) return true;
    const DWORD error = ::GetLastError();
    const DWORD attributes = ::GetFileAttributesA(path);
    if (error == ERROR_ALREADY_EXISTS && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return true;
    ::SetLastError(error);
    failure = FailureOf("making the folder", path);
    return false;
}

// The plain files of a folder: name and size.
std::vector<std::pair<CString, ULONGLONG>> FilesIn(const CString& folder)
{
    std::vector<std::pair<CString, ULONGLONG>> files;
    WIN32_FIND_DATAA entry{};
    const HANDLE find = ::FindFirstFileA(folder + "\\*", &entry);
    if (find == INVALID_HANDLE_VALUE) return files;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files.emplace_back(CString(entry.cFileName), (ULONGLONG(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow);
    } while (::FindNextFileA(find, &entry));
    ::FindClose(find);
    return files;
}

std::vector<CString> RunFoldersIn(const CString& vinFolder)
{
    std::vector<CString> runs;
    WIN32_FIND_DATAA entry{};
    const HANDLE find = ::FindFirstFileA(vinFolder + "\\*", &entry);
    if (find == INVALID_HANDLE_VALUE) return runs;
    do {
        RunTime time;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && ParseRunFolderName(entry.cFileName, time))
            runs.emplace_back(entry.cFileName);
    } while (::FindNextFileA(find, &entry));
    ::FindClose(find);
    return runs;
}

// Only a kept run with the device's names and sizes is read to compare its bytes.
bool IsKept(const std::vector<RunFile>& device, const CString& runFolder)
{
    const auto kept = FilesIn(runFolder);
    if (kept.size() != device.size()) return false;
    std::vector<RunFile> keptFiles;
    for (const auto& [name, size] : kept) {
        bool sameSize = false;
        for (const RunFile& file : device) sameSize |= file.name.CompareNoCase(name) == 0 && file.bytes.size() == size;
        if (!sameSize) return false;
        RunFile keptFile{name, {}};
        FILETIME written{};
        Failure ignored;
        if (!ReadShared(runFolder + "\\" + name, keptFile.bytes, written, ignored)) return false;
        keptFiles.push_back(std::move(keptFile));
    }
    return IsSameRun(device, keptFiles);
}

// A program looking into the history (the Explorer, a virus scanner, a backup) holds a folder
// open for a moment, and while it does the folder cannot be renamed: tried again for a while.
bool RenameWhenFree(const CString& from, const CString& to)
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (::MoveFileA(from, to)) return true;
        const DWORD error = ::GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) return false;
        ::Sleep(100);
    }
    return false;
}

void RemoveFolder(const CString& folder)
{
    for (const auto& file : FilesIn(folder)) ::DeleteFileA(folder + "\\" + file.first);
    ::RemoveDirectoryA(folder);
}


}  // namespace

RunTime LocalTimeOf(const FILETIME& time)
{
    FILETIME local{};
    SYSTEMTIME parts{};
    if (!::FileTimeToLocalFileTime(&time, &local) || !::FileTimeToSystemTime(&local, &parts)) return {};
    return {parts.wYear, parts.wMonth, parts.wDay, parts.wHour, parts.wMinute, parts.wSecond};
}

KeepOutcome KeepRun(const CString& printFolder, const CString& vin, const CString& historyFolder)
{
    KeepOutcome outcome;
    const CString vinName = VinFolderName(vin);
    outcome.run = vinName;
    Failure failure;
    const auto failed = [&] {
        outcome.result = KeepOutcome::Result::Failed;
        outcome.why = failure.why;
        return outcome;
    };

    std::vector<RunFile> files;
    std::vector<FILETIME> times;
    FILETIME newest{};
    for (const ReportFile& report : kRunFiles) {
        const char* name = report.name;
        const CString path = printFolder + "\\" + name;
        if (::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES && ::GetLastError() == ERROR_FILE_NOT_FOUND) continue;
        RunFile file{name, {}};
        FILETIME written{};
        if (!ReadShared(path, file.bytes, written, failure)) return failed();
        if (::CompareFileTime(&written, &newest) > 0) newest = written;
        files.push_back(std::move(file));
        times.push_back(written);
    }
    if (files.empty()) return outcome;
    const RunTime time = LocalTimeOf(newest);
    outcome.run = vinName + " of " + RunTimeText(time);
    if (historyFolder.IsEmpty()) {
        failure = {"the system names no Documents folder"};
        return failed();
    }

    const CString vinFolder = historyFolder + "\\" + vinName;
    if (!MakeFolder(historyFolder, failure) || !MakeFolder(vinFolder, failure)) return failed();
    for (const CString& run : RunFoldersIn(vinFolder))
        if (IsKept(files, vinFolder + "\\" + run)) {
            outcome.result = KeepOutcome::Result::AlreadyKept;
            return outcome;
        }

    // Never listed: only names that read as a run's time are.
    const CString temporary = vinFolder + "\\~keeping " + std::to_string(::GetCurrentThreadId()).c_str();
    RemoveFolder(temporary);
    if (!MakeFolder(temporary, failure)) return failed();
    for (size_t i = 0; i < files.size(); ++i)
        if (!WriteNew(temporary + "\\" + files[i].name, files[i].bytes, times[i], failure)) {
            RemoveFolder(temporary);
            return failed();
        }
    // Not every system says "already exists" when a folder is renamed onto another one, so
    // the names taken are passed over first.
    for (int copy = 1; copy <= kMostRunsInOneSecond; ++copy) {
        const CString run = vinFolder + "\\" + RunFolderName(time, copy);
        if (::GetFileAttributesA(run) != INVALID_FILE_ATTRIBUTES) continue;
        if (RenameWhenFree(temporary, run)) {
            outcome.result = KeepOutcome::Result::Kept;
            return outcome;
        }
        break;
    }
    failure = FailureOf("renaming", temporary);
    RemoveFolder(temporary);
    return failed();
}
