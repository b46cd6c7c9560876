#include "ui/KeptRunOpening.h"

#include <windows.h>

#include <new>
#include <optional>

#include "device/SystemDrives.h"
#include "framework/AnsweredWork.h"
#include "jobcard/JobCardStore.h"
#include "reports/ReportSource.h"

namespace {

// A folder that cannot be looked at for another reason is not a deletion: the run is opened, as
// far as it reads.
KeptRunOpening ReadForOpening(const CString& runFolder, WorkProgress& progress)
{
    KeptRunOpening run;
    if (::GetFileAttributesA(runFolder) == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            run.found = KeptRunOpening::Found::Gone;
            return run;
        }
    }
    progress.Moved();
    ReadVinFile(runFolder, run.vin);
    progress.Moved();
    run.card = ReadJobCardOf(runFolder, &run.cardNote);
    run.found = KeptRunOpening::Found::Kept;
    return run;
}

}  // namespace

KeptRunOpening OpenKeptRun(const CString& runFolder)
{
    try {
        const std::optional<KeptRunOpening> run = ResultWhileAnswered<KeptRunOpening>(
            [runFolder](WorkProgress& progress) { return ReadForOpening(runFolder, progress); });
        if (run) return *run;
    } catch (const std::bad_alloc&) {
    }
    return KeptRunOpening();
}

CString NotOpenedNote(const CString& runFolder, const KeptRunOpening& opened, const CString& runTime)
{
    switch (opened.found) {
    case KeptRunOpening::Found::Kept:
        return CString();
    case KeptRunOpening::Found::Gone:
        return DeletedElsewhereNote(runTime);
    default:
        return NoAnswerNote(HistoryFolderOfRun(runFolder), "the run was not opened");
    }
}

CString DeletedElsewhereNote(const CString& runTime)
{
    return "The run of " + runTime + " was deleted on another PC: it is no longer in the history.";
}
