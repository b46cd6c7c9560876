#include "history/KeptRuns.h"

#include "device/SystemDrives.h"
#include "dtc/RunReport.h"
#include "framework/FileFind.h"

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
    const CodesByRun codesKnown(known);
    for (KeptRun& run : runs) {
        const CString* codes = codesKnown.Of(run);
        run.codes = codes ? *codes : CodeList(CodesOfRun(RunFolderPath(historyFolder, run), {}).codes);
    }
}

CString RunFolderPath(const CString& historyFolder, const KeptRun& run)
{
    return historyFolder + "\\" + run.vinFolder + "\\" + run.runFolder;
}

CString KeptVin(const CString& runFolderPath)
{
    CString vin;
    ReadVinFile(runFolderPath, vin);
    return vin;
}
