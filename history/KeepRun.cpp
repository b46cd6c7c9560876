#include "history/KeepRun.h"

#include <windows.h>

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "framework/FileHandle.h"
#include "framework/LocalTime.h"
#include "framework/SystemMessage.h"
#include "history/AbandonedKeeping.h"
#include "history/DeletedRunsFile.h"
#include "history/FolderEntries.h"
#include "history/KeepingFolder.h"
#include "history/KeptRuns.h"
#include "history/RunName.h"
#include "history/SameRun.h"
#include "history/VinFolder.h"
#include "history/VinOfFile.h"
#include "reports/ReportFiles.h"

namespace {

// A larger report is no report the device writes: copying it would only fill the disk.
constexpr ULONGLONG kLargestReport = 256ull * 1024 * 1024;
// Files are copied and compared a piece at a time, so a large report costs no more memory than this.
constexpr DWORD kPieceBytes = 1024 * 1024;
// What a run folder's number can say (RunName.h): no second holds as many runs.
constexpr int kLastCopy = 999999999;

struct Failure {
    CString why;
    KeepOutcome::Result result = KeepOutcome::Result::Failed;
};

// Another program holding a file without sharing it (a virus scanner, an editor) only delays keeping.
Failure FailureOf(const char* doing, const CString& path)
{
    const DWORD error = ::GetLastError();
    const bool busy = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
    return {CString(doing) + " " + path + ": " + SystemMessage(error),
            busy ? KeepOutcome::Result::Busy : KeepOutcome::Result::Failed};
}

// Opened while others may go on reading and writing it.
HANDLE OpenShared(const CString& path)
{
    return ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

// Up to `wanted` bytes; fewer only at the end of the file.
bool ReadPiece(HANDLE file, char* piece, DWORD wanted, DWORD& got)
{
    got = 0;
    while (got < wanted) {
        DWORD read = 0;
        if (!::ReadFile(file, piece + got, wanted - got, &read, nullptr)) return false;
        if (read == 0) break;
        got += read;
    }
    return true;
}

// The device's file as it is while it is read (a file that gets shorter meanwhile ends there),
// written to a new file with its time and on the disk before the run is renamed into the
// history, so a power cut leaves no run of empty files.
bool CopyReport(const CString& from, const CString& to, std::vector<char>& piece, const std::atomic<bool>& stop,
                Failure& failure)
{
    const FileHandle source(OpenShared(from));
    FILETIME written{};
    LARGE_INTEGER size{};
    if (!source.IsOpen() || !::GetFileSizeEx(source.Get(), &size) || !::GetFileTime(source.Get(), nullptr, nullptr, &written)) {
        failure = FailureOf("reading", from);
        return false;
    }
    if (static_cast<ULONGLONG>(size.QuadPart) > kLargestReport) {
        failure = {from + ": larger than 256 MB"};
        return false;
    }
    const FileHandle copy(::CreateFileA(to, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!copy.IsOpen()) {
        failure = FailureOf("writing", to);
        return false;
    }
    for (ULONGLONG done = 0;;) {
        if (stop) {
            failure = {"stopped as Mardello closed", KeepOutcome::Result::Stopped};
            return false;
        }
        DWORD got = 0;
        if (!ReadPiece(source.Get(), piece.data(), kPieceBytes, got)) {
            failure = FailureOf("reading", from);
            return false;
        }
        if (got == 0) break;
        DWORD put = 0;
        if (!::WriteFile(copy.Get(), piece.data(), got, &put, nullptr) || put != got) {
            failure = FailureOf("writing", to);
            return false;
        }
        done += got;
        // One that grows without end while it is read is no report either.
        if (done > kLargestReport) {
            failure = {from + ": larger than 256 MB"};
            return false;
        }
    }
    if (!::SetFileTime(copy.Get(), nullptr, nullptr, &written) || !::FlushFileBuffers(copy.Get())) {
        failure = FailureOf("writing", to);
        return false;
    }
    return true;
}

bool SameBytes(const CString& a, const CString& b, std::vector<char>& pieceA, std::vector<char>& pieceB)
{
    const FileHandle fileA(OpenShared(a));
    const FileHandle fileB(OpenShared(b));
    if (!fileA.IsOpen() || !fileB.IsOpen()) return false;
    for (;;) {
        DWORD gotA = 0, gotB = 0;
        if (!ReadPiece(fileA.Get(), pieceA.data(), kPieceBytes, gotA) ||
            !ReadPiece(fileB.Get(), pieceB.data(), kPieceBytes, gotB) || gotA != gotB)
            return false;
        if (gotA == 0) return true;
        if (!std::equal(pieceA.begin(), pieceA.begin() + gotA, pieceB.begin())) return false;
    }
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

std::vector<RunFile> FilesIn(const CString& folder)
{
    std::vector<RunFile> files;
    ForEachEntry(folder, false, [&](const CString& name, ULONGLONG size) { files.push_back({name, size}); });
    return files;
}

// Where a run of `time` may already be kept: every run in its VIN's folder, and in the other
// folders (a VIN folder renamed by hand, or named otherwise by an earlier version) the runs of
// its time and the runs renamed by hand. `own` takes the names of the runs in its VIN's folder.
std::vector<CString> RunsToCompare(const CString& historyFolder, const CString& vinName, const RunTime& time,
                                   std::vector<CString>& own)
{
    std::vector<CString> runs;
    ForEachEntry(historyFolder, true, [&](const CString& vinFolder, ULONGLONG) {
        if (vinFolder.IsEmpty() || vinFolder[0] == '~') return;
        const bool isOwn = vinFolder.CompareNoCase(vinName) == 0;
        const CString vinPath = historyFolder + "\\" + vinFolder;
        ForEachEntry(vinPath, true, [&](const CString& name, ULONGLONG) {
            RunTime named;
            int number = 0;
            if (!IsKeptRunFolder(vinPath, name, named, number)) return;
            const bool isOfTime = number > 0 && named == time;
            if (isOwn) own.push_back(name);
            if (isOwn || isOfTime || number == 0) runs.push_back(vinPath + "\\" + name);
        });
    });
    return runs;
}

// The run just copied is already kept in `runFolder` when it holds the same report files with
// the same bytes; only a kept run with the same names and sizes is read.
class SameRunCheck {
public:
    explicit SameRunCheck(const CString& copied) : m_copied(copied)
    {
        for (const RunFile& file : FilesIn(copied))
            if (IsReportFile(file.name)) m_files.push_back(file);
    }
    bool IsKeptIn(const CString& runFolder)
    {
        const std::vector<RunFile> kept = FilesIn(runFolder);
        const auto pairs = PairedFiles(m_files, kept);
        if (!pairs) return false;
        if (m_pieceA.empty()) {
            m_pieceA.resize(kPieceBytes);
            m_pieceB.resize(kPieceBytes);
        }
        for (size_t i = 0; i < m_files.size(); ++i)
            if (!SameBytes(m_copied + "\\" + m_files[i].name, runFolder + "\\" + kept[(*pairs)[i]].name, m_pieceA, m_pieceB))
                return false;
        return true;
    }

private:
    CString m_copied;
    std::vector<RunFile> m_files;
    std::vector<char> m_pieceA, m_pieceB;
};

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

CString ComputerName()
{
    char name[MAX_COMPUTERNAME_LENGTH + 1] = "";
    DWORD length = sizeof name;
    return ::GetComputerNameA(name, &length) ? CString(name, length) : CString("this computer");
}

RunTime Now()
{
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    return LocalTimeOf(now);
}

// A run's VIN folder and time, from the reports in `folder` (the device's or the copy's).
struct RunNaming {
    bool any = false;
    CString vinName;
    RunTime time;
    CString Text() const { return vinName + " of " + RunTimeText(time); }
};

RunNaming NamingOf(const CString& folder)
{
    RunNaming naming;
    FILETIME newest{};
    for (const ReportFile& report : kRunFiles) {
        const char* name = report.name;
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!::GetFileAttributesExA(folder + "\\" + name, GetFileExInfoStandard, &data) ||
            (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        if (::CompareFileTime(&data.ftLastWriteTime, &newest) > 0) newest = data.ftLastWriteTime;
        naming.any = true;
    }
    naming.vinName = VinFolderName(KeptVin(folder));
    naming.time = RunTimeOrKeptTime(LocalTimeOf(newest), Now());
    return naming;
}

KeepOutcome Keep(const CString& printFolder, const CString& historyFolder, const std::atomic<bool>& stop)
{
    KeepOutcome outcome;
    Failure failure;
    const auto failed = [&] {
        outcome.result = failure.result;
        outcome.why = failure.why;
        return outcome;
    };
    // Named as the device holds it until it is copied.
    const RunNaming device = NamingOf(printFolder);
    if (!device.any) return outcome;
    outcome.run = device.Text();
    if (historyFolder.IsEmpty()) {
        failure = {"the system names no Documents folder"};
        return failed();
    }
    if (!MakeFolder(historyFolder, failure)) return failed();
    const CString computer = ComputerName();
    RemoveAbandonedKeeping(historyFolder, computer);

    // Everything below is taken from the copy, so the run is named, compared and kept as the
    // bytes it holds, whatever the device holds by then.
    const CString copied = historyFolder + "\\" + KeepingFolderName(computer, ::GetCurrentProcessId());
    if (!MakeFolder(copied, failure)) return failed();
    {
        std::vector<char> piece(kPieceBytes);
        for (const ReportFile& report : kRunFiles) {
            const char* name = report.name;
            const CString path = printFolder + "\\" + name;
            // A folder named like a report is no report, as the view takes it.
            const DWORD attributes = ::GetFileAttributesA(path);
            if (attributes == INVALID_FILE_ATTRIBUTES ? ::GetLastError() == ERROR_FILE_NOT_FOUND
                                                      : (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
                continue;
            if (!CopyReport(path, copied + "\\" + name, piece, stop, failure)) {
                RemoveFolder(copied);
                return failed();
            }
        }
    }
    const RunNaming run = NamingOf(copied);
    if (!run.any) {
        RemoveFolder(copied);
        return {};
    }
    outcome.run = run.Text();
    const CString& vinName = run.vinName;
    const RunTime& time = run.time;

    const CString vinFolder = historyFolder + "\\" + vinName;
    if (!MakeFolder(vinFolder, failure)) {
        RemoveFolder(copied);
        return failed();
    }
    SameRunCheck same(copied);
    const auto notKept = [&](KeepOutcome::Result result) {
        RemoveFolder(copied);
        outcome.result = result;
        return outcome;
    };
    const auto alreadyKept = [&](const CString& kept) {
        outcome.folder = kept;
        return notKept(KeepOutcome::Result::AlreadyKept);
    };
    std::vector<CString> own;
    for (const CString& kept : RunsToCompare(historyFolder, vinName, time, own))
        if (same.IsKeptIn(kept)) return alreadyKept(kept);
    const std::string deleted = ReadDeletedRuns(historyFolder);
    std::vector<ReportPrint> print;
    if (!deleted.empty() && PrintOfRun(copied, print, stop) && WasDeleted(print, deleted))
        return notKept(KeepOutcome::Result::Deleted);
    if (stop) {
        failure = {"stopped as Mardello closed", KeepOutcome::Result::Stopped};
        RemoveFolder(copied);
        return failed();
    }

    // The run's folder comes into being whole, by one rename, after the highest number of its
    // second: a run deleted from among them leaves its number unused, so that a later run never
    // sorts before an earlier one. Another Mardello may keep the same run at the same moment: a
    // name taken meanwhile is looked into before the next one.
    for (int copy = NextCopyNumber(own, time); copy <= kLastCopy; ++copy) {
        const CString run = vinFolder + "\\" + RunFolderName(time, copy);
        // Not every system says "already exists" when a folder is renamed onto an empty one.
        if (::GetFileAttributesA(run) == INVALID_FILE_ATTRIBUTES) {
            if (RenameWhenFree(copied, run)) {
                outcome.result = KeepOutcome::Result::Kept;
                outcome.folder = run;
                return outcome;
            }
            if (::GetFileAttributesA(run) == INVALID_FILE_ATTRIBUTES) {
                failure = FailureOf("renaming", copied);
                break;
            }
        }
        if (same.IsKeptIn(run)) return alreadyKept(run);
    }
    if (failure.why.IsEmpty()) failure = {"every number of its second is taken"};
    RemoveFolder(copied);
    return failed();
}

}  // namespace

KeepOutcome KeepRun(const CString& printFolder, const CString& historyFolder, const std::atomic<bool>& stop) noexcept
{
    // It runs on a thread of its own: what is thrown there would end the program.
    try {
        return Keep(printFolder, historyFolder, stop);
    } catch (const std::bad_alloc&) {
        KeepOutcome outcome;
        outcome.result = KeepOutcome::Result::Failed;
        outcome.run = "of the last device found";
        outcome.why = "not enough memory";
        return outcome;
    } catch (...) {
        KeepOutcome outcome;
        outcome.result = KeepOutcome::Result::Failed;
        outcome.run = "of the last device found";
        outcome.why = "an unexpected fault";
        return outcome;
    }
}
