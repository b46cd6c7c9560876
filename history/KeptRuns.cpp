#include "history/KeptRuns.h"

#include "dtc/RunReport.h"
#include "framework/FileFind.h"
#include "history/KeepRun.h"
#include "history/VinOfFile.h"
#include "reports/ReportFiles.h"

namespace {

// The sub-folders of a folder, by name.
template <typename Visit>
void ForEachFolder(const CString& folder, Visit visit)
{
    CFileFind finder;
    if (!finder.FindFile(folder + "\\*")) return;
    for (bool more = true; more;) {
        more = finder.FindNextFile();
        if (finder.IsDirectory() && !finder.IsDots()) visit(finder.GetFileName());
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
        const CString* codes = codesKnown.Of(run);
        run.codes = codes ? *codes : CodeList(CodesOfRun(RunFolderPath(historyFolder, run), {}).codes);
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
    return historyFolder + "\\" + run.vinFolder + "\\" + run.runFolder;
}

namespace {

template <typename Holds>
CString ReportsNamed(Holds holds)
{
    CString held;
    for (const ReportFile& report : kRunFiles) {
        if (!holds(report.name)) continue;
        if (!held.IsEmpty()) held += ", ";
        held += report.shown;
    }
    return held;
}

}  // namespace

CString ReportsHeld(const CString& runFolderPath)
{
    return ReportsNamed([&](const char* file) {
        return ::GetFileAttributesA(runFolderPath + "\\" + file) != INVALID_FILE_ATTRIBUTES;
    });
}

CString EveryReportNamed()
{
    return ReportsNamed([](const char*) { return true; });
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
