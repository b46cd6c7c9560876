#include "history/KeptRuns.h"

#include "framework/FileFind.h"

namespace {

struct ReportName {
    const char* file;
    const char* shown;
};
constexpr ReportName kReportNames[] = {
    {"DTC.DAT", "Trouble Code"}, {"CDS.DAT", "Live Data"}, {"FROZEN.DAT", "Frozen Frame"}, {"VIN.DAT", "VIN"}};

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

}  // namespace

std::vector<KeptRun> ReadKeptRuns(const CString& historyFolder)
{
    std::vector<KeptRun> runs;
    if (historyFolder.IsEmpty()) return runs;
    ForEachFolder(historyFolder, [&](const CString& vinFolder) {
        ForEachFolder(historyFolder + "\\" + vinFolder, [&](const CString& runFolder) {
            KeptRun run{vinFolder, runFolder, {}, {}};
            if (ParseRunFolderName(runFolder, run.time)) runs.push_back(run);
        });
    });
    return runs;
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
    for (const ReportName& report : kReportNames) {
        if (!holds(report.file)) continue;
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
