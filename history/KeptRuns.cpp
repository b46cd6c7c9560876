#include "history/KeptRuns.h"

#include <new>

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
