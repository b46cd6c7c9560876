#include "history/KeptRuns.h"

#include <map>
#include <string>

#include "device/SystemDrives.h"
#include "dtc/RunReport.h"
#include "framework/FileFind.h"
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

std::string RunKey(const KeptRun& run) { return (run.vinFolder + "\\" + run.runFolder).Bytes(); }

// Each run's codes by its folders' names.
std::map<std::string, CString> CodesByRun(const std::vector<KeptRun>& runs)
{
    std::map<std::string, CString> codes;
    for (const KeptRun& run : runs) codes[RunKey(run)] = run.codes;
    return codes;
}

const CString* CodesOf(const std::map<std::string, CString>& codes, const KeptRun& run)
{
    const auto found = codes.find(RunKey(run));
    return found != codes.end() ? &found->second : nullptr;
}

}  // namespace

std::vector<KeptRun> ReadKeptRuns(const CString& historyFolder)
{
    std::vector<KeptRun> runs;
    if (historyFolder.IsEmpty()) return runs;
    ForEachFolder(historyFolder, [&](const CString& vinFolder) {
        ForEachFolder(historyFolder + "\\" + vinFolder, [&](const CString& runFolder) {
            KeptRun run{vinFolder, runFolder, {}, {}, false, {}};
            if (ParseRunFolderName(runFolder, run.time)) runs.push_back(run);
        });
    });
    return runs;
}

void ReadRunCodes(const CString& historyFolder, std::vector<KeptRun>& runs, const std::vector<KeptRun>& known)
{
    const std::map<std::string, CString> codesKnown = CodesByRun(known);
    for (KeptRun& run : runs) {
        const CString* codes = CodesOf(codesKnown, run);
        run.codes = codes ? *codes : CodeList(CodesOfRun(RunFolderPath(historyFolder, run), {}).codes);
    }
}

void TakeCodes(std::vector<KeptRun>& runs, const std::vector<KeptRun>& read)
{
    const std::map<std::string, CString> codesRead = CodesByRun(read);
    for (KeptRun& run : runs)
        if (const CString* codes = CodesOf(codesRead, run)) run.codes = *codes;
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
    CString vin;
    ReadVinFile(runFolderPath, vin);
    return vin;
}
