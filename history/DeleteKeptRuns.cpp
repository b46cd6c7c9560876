#include "history/DeleteKeptRuns.h"

#include <windows.h>
#include <shellapi.h>

#include <atomic>
#include <string>

#include "framework/SystemLibrary.h"
#include "history/AbandonedKeeping.h"
#include "history/DeletedRunsFile.h"
#include "history/FolderEntry.h"
#include "history/KeptRuns.h"

namespace {

bool Exists(const CString& path) { return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

// A UNC path or a network drive: the Recycle Bin takes nothing from a share.
bool IsOnAShare(const CString& folder)
{
    if (folder.GetLength() >= 2 && folder[0] == '\\' && folder[1] == '\\') return true;
    return folder.GetLength() >= 2 && folder[1] == ':' && ::GetDriveTypeA(folder.Left(2) + "\\") == DRIVE_REMOTE;
}

// Looked at again as it goes: a folder that became a link since it was listed is not deleted
// through, and a name that reads as a pattern would take its neighbours with it. One gone
// already (deleted on another computer) is as good as deleted.
bool IsPlainFolder(const CString& folder, const CString& name)
{
    const DWORD attributes = ::GetFileAttributesA(folder + "\\" + name);
    const DWORD seen = attributes == INVALID_FILE_ATTRIBUTES ? FILE_ATTRIBUTE_DIRECTORY : attributes;
    return UseOfFolderEntry(name, seen) == FolderEntryUse::Folder;
}

CString Count(size_t runs) { return CString(std::to_string(runs).c_str()) + (runs == 1 ? " run" : " runs"); }

}  // namespace

DeleteOutcome DeleteKeptRuns(const CString& historyFolder, const std::vector<KeptRun>& runs)
{
    static const auto operate = LoadSystemFunction<decltype(&::SHFileOperationA)>("shell32.dll", "SHFileOperationA");
    DeleteOutcome outcome;
    if (runs.empty()) return outcome;
    outcome.forGood = IsOnAShare(historyFolder);
    if (!operate) {
        outcome.why = "The system has no Recycle Bin to move runs to.";
        return outcome;
    }
    // Read before they go: a run that cannot be read is deleted all the same, and not noted.
    const std::atomic<bool> never{false};
    std::vector<std::string> lines(runs.size());
    std::string from;  // each path ends with a zero, the list with an empty path
    std::vector<bool> asked(runs.size(), false);
    for (size_t i = 0; i < runs.size(); ++i) {
        const CString folder = RunFolderPath(historyFolder, runs[i]);
        if (!IsPlainFolder(historyFolder, runs[i].vinFolder) ||
            !IsPlainFolder(historyFolder + "\\" + runs[i].vinFolder, runs[i].runFolder))
            continue;
        asked[i] = true;
        std::vector<ReportPrint> print;
        if (PrintOfRun(folder, print, never)) lines[i] = DeletedRunLine(print);
        from += folder.Bytes() + '\0';
    }
    if (from.empty()) {
        outcome.why = Count(runs.size()) + " could not be moved to the Recycle Bin.";
        return outcome;
    }
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING | FOF_SILENT | FOF_NOERRORUI;
    operate(&operation);

    std::vector<std::string> noted;
    for (size_t i = 0; i < runs.size(); ++i) {
        if (!asked[i] || Exists(RunFolderPath(historyFolder, runs[i]))) continue;
        outcome.deleted.push_back(i);
        if (!lines[i].empty()) noted.push_back(lines[i]);
    }
    for (size_t i : outcome.deleted) {
        const CString vinFolder = historyFolder + "\\" + runs[i].vinFolder;
        RemoveEarlierKeeping(vinFolder);
        ::RemoveDirectoryA(vinFolder);
    }
    CString why;
    const bool isNoted = NoteDeletedRuns(historyFolder, noted, why);
    if (outcome.deleted.size() < runs.size())
        outcome.why = Count(runs.size() - outcome.deleted.size()) +
                      (outcome.forGood ? " could not be deleted." : " could not be moved to the Recycle Bin.");
    else if (!isNoted)
        outcome.why = "The deleted runs could not be noted as deleted, so a device may bring them back: " + why;
    return outcome;
}
