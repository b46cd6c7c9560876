#include "history/KeptRuns.h"

#include <new>

#include "dtc/RunReport.h"
#include "framework/FileFind.h"
#include "framework/LocalTime.h"
#include "history/VinOfFile.h"
#include "reports/ReportFiles.h"

namespace {

// The sub-folders of a folder, by name. A link is no sub-folder: another PC or a person may
// point one anywhere, and deleting a run found through it would delete there.
template <typename Visit>
void ForEachFolder(const CString& folder, Visit visit)
{
    CFileFind finder;
    if (!finder.FindFile(folder + "\\*")) return;
    for (bool more = true; more;) {
        more = finder.FindNextFile();
        if (finder.IsDirectory() && !finder.IsDots() && !finder.MatchesMask(FILE_ATTRIBUTE_REPARSE_POINT))
            visit(finder.GetFileName());
    }
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
            (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
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
            KeptRun run{vinFolder, runFolder, {}, {}, false, {}};
            if (IsKeptRunFolder(vinFolderPath, runFolder, run.time, run.copy)) runs.push_back(run);
        });
    });
    return runs;
}

void ReadRunCodes(const CString& historyFolder, std::vector<KeptRun>& runs, const std::vector<KeptRun>& known)
{
    const CodesByRun codesKnown(known);
    for (KeptRun& run : runs) {
        if (const CString* codes = codesKnown.Of(run)) {
            run.codes = *codes;
            run.codesRead = true;
            continue;
        }
        // The filter reads a report as the viewer does when no encoding is chosen. A report not
        // read to its end, for want of memory or a read that failed, is read again next time.
        try {
            const RunCodes read = CodesOfRun(RunFolderPath(historyFolder, run), {}, AutomaticEncoding);
            run.codesRead = read.report != ReportRead::CutShort;
            run.codes = CodeList(read.codes);
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

CString RunFolderPath(const CString& historyFolder, const KeptRun& run)
{
    return (run.waitingIn.IsEmpty() ? historyFolder : run.waitingIn) + "\\" + run.vinFolder + "\\" + run.runFolder;
}

CString KeptVin(const CString& runFolderPath)
{
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
