#include "history/DeleteRuns.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "framework/SystemLibrary.h"
#include "history/AbandonedKeeping.h"
#include "history/KeptRuns.h"

namespace {

bool Exists(const CString& path) { return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

DeleteOutcome DeleteKeptRuns(const CString& historyFolder, const std::vector<KeptRun>& runs)
{
    DeleteOutcome outcome;
    if (runs.empty()) return outcome;
    static const auto operate = LoadSystemFunction<decltype(&::SHFileOperationA)>("shell32.dll", "SHFileOperationA");
    // The folders one after another, each ended by a NUL, and the list by an empty name.
    std::string from;
    for (const KeptRun& run : runs) from += RunFolderPath(historyFolder, run).Bytes() + '\0';
    from += '\0';
    SHFILEOPSTRUCTA operation{};
    operation.hwnd = ::GetActiveWindow();  // the window asking, should the bin refuse a run
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING | FOF_SILENT | FOF_NOERRORUI;
    outcome.failed = !operate || operate(&operation) != 0 || operation.fAnyOperationsAborted;
    // Which went is read from the disk: a move cut short may have taken some of them.
    for (const KeptRun& run : runs) {
        if (Exists(RunFolderPath(historyFolder, run))) {
            outcome.failed = true;
            continue;
        }
        outcome.deleted.push_back(run);
        // The VIN's folder goes with its last run, and with what an earlier version's keep left in it.
        const CString vinFolder = historyFolder + "\\" + run.vinFolder;
        RemoveEarlierKeeping(vinFolder);
        ::RemoveDirectoryA(vinFolder);
    }
    return outcome;
}
