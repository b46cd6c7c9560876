#include "history/KeptRuns.h"

#include <new>

#include "dtc/RunReport.h"
#include "framework/LocalTime.h"
#include "framework/WideText.h"
#include "history/FolderEntries.h"
#include "history/VinOfFile.h"
#include "jobcard/JobCardStore.h"
#include "jobcard/JobCardText.h"
#include "reports/ReportFiles.h"

namespace {

// The sub-folders of a folder, by name; links to folders elsewhere are not among them.
template <typename Visit>
void ForEachFolder(const CString& folder, Visit visit)
{
    ForEachEntry(folder, true, [&](const CString& name, ULONGLONG) { visit(name); });
}

bool IsKeepingName(const CString& name) { return name.IsEmpty() || name[0] == '~'; }

}  // namespace

bool IsKeptRunFolder(const CString& vinFolderPath, const CString& name, RunTime& time, int& copy)
{
    if (ParseRunFolderName(name, time, copy)) return true;
    if (IsKeepingName(name)) return false;
    bool any = false;
    FILETIME newest{};
    for (const ReportFile& report : kRunFiles) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!::GetFileAttributesExA(vinFolderPath + "\\" + name + "\\" + report.name, GetFileExInfoStandard, &data) ||
            UseOfFolderEntry(report.name, data.dwFileAttributes) != FolderEntryUse::File)
            continue;
        if (::CompareFileTime(&data.ftLastWriteTime, &newest) > 0) newest = data.ftLastWriteTime;
        any = true;
    }
    if (!any) return false;
    time = LocalTimeOf(newest);
    copy = 0;
    return true;
}

std::vector<KeptRun> ReadKeptRuns(const CString& historyFolder)
{
    std::vector<KeptRun> runs;
    if (historyFolder.IsEmpty()) return runs;
    ForEachFolder(historyFolder, [&](const CString& vinFolder) {
        if (IsKeepingName(vinFolder)) return;
        const CString vinFolderPath = historyFolder + "\\" + vinFolder;
        ForEachFolder(vinFolderPath, [&](const CString& runFolder) {
            KeptRun run{vinFolder, runFolder, {}, {}, {}};
            if (IsKeptRunFolder(vinFolderPath, runFolder, run.time, run.copy)) runs.push_back(run);
        });
    });
    return runs;
}

void ReadRunCodes(const CString& historyFolder, std::vector<KeptRun>& runs, const std::vector<KeptRun>& known)
{
    const CodesByRun codesKnown(known);
    for (KeptRun& run : runs) {
        if (const KeptRun* same = codesKnown.ReadBefore(run)) {
            run.codes = same->codes;
            run.plate = same->plate;
            run.jobKeys = same->jobKeys;
            run.codesRead = true;
            continue;
        }
        // The filter reads a report as the viewer does when no encoding is chosen. A report not
        // read to its end, for want of memory or a read that failed, is read again next time.
        try {
            const RunCodes read = CodesOfRun(RunFolderPath(historyFolder, run), {}, AutomaticEncoding, ReadReportTextHere);
            run.codesRead = read.report != ReportRead::CutShort;
            run.codes = CodeList(read.codes);
            // A job file that cannot be read leaves the run without plate: it is listed all the same.
            TakeJobCard(run, ReadJobCardOf(RunFolderPath(historyFolder, run)).card);
        } catch (const std::bad_alloc&) {
            run.codesRead = false;
        }
    }
}

void ReadRunVins(const CString& historyFolder, std::vector<KeptRun>& runs, const std::vector<KeptRun>& known)
{
    const CodesByRun vinsKnown(known);
    for (KeptRun& run : runs) {
        const CString* vin = vinsKnown.VinOf(run);
        run.vin = vin && !vin->IsEmpty() ? *vin : KeptVin(RunFolderPath(historyFolder, run));
    }
}

void TakeJobCard(KeptRun& run, const JobCard& card)
{
    const auto inCodePage = [](const CString& utf8) {
        const std::wstring wide = WideText(utf8, utf8.GetLength(), CP_UTF8);
        return CString(NarrowText(wide.c_str(), wide.size(), CP_ACP));
    };
    run.plate = inCodePage(card.plate);
    run.jobKeys = inCodePage(JobFilterKeys(card));
}

CString RunFolderPath(const CString& historyFolder, const KeptRun& run)
{
    return (run.waitingIn.IsEmpty() ? historyFolder : run.waitingIn) + "\\" + run.vinFolder + "\\" + run.runFolder;
}

CString KeptVin(const CString& runFolderPath)
{
    // A VIN.DAT that is a link may lead to anything, even a file whose reads never end.
    if (IsLinkEntry(::GetFileAttributesA(runFolderPath + "\\" + kVinFile.name))) return CString();
    const HANDLE file = ::CreateFileA(runFolderPath + "\\" + kVinFile.name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return CString();
    // As long as the file, so thousands of runs read cost no more than their VIN.DAT's bytes.
    LARGE_INTEGER size{};
    const bool sized = ::GetFileSizeEx(file, &size) && size.QuadPart < static_cast<LONGLONG>(kVinFileReadBytes);
    std::string bytes(sized ? static_cast<size_t>(size.QuadPart) : kVinFileReadBytes, '\0');
    DWORD got = 0, read = 0;
    while (got < bytes.size() &&
           ::ReadFile(file, &bytes[got], static_cast<DWORD>(bytes.size() - got), &read, nullptr) && read > 0)
        got += read;
    ::CloseHandle(file);
    return VinOfFile(bytes.data(), got);
}
