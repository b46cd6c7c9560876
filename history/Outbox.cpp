#include "history/Outbox.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "framework/SystemLibrary.h"
#include "history/FolderEntries.h"
#include "history/OutboxStep.h"

namespace {

// The outbox's own folders; no link is followed, and a temporary folder is a keep's.
std::vector<CString> SubFolders(const CString& folder)
{
    std::vector<CString> names;
    ForEachEntry(folder, true, [&](const CString& name, ULONGLONG) {
        if (name.Bytes()[0] != '~') names.push_back(name);
    });
    return names;
}

}  // namespace

CString OutboxFolder()
{
    static const auto folderPath = LoadSystemFunction<decltype(&::SHGetFolderPathA)>("shell32.dll", "SHGetFolderPathA");
    char local[MAX_PATH] = "";
    if (!folderPath || folderPath(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local) != S_OK || !local[0])
        return CString();
    return CString(local) + "\\Mardello\\Outbox";
}

bool IsReachable(const CString& folder)
{
    if (folder.IsEmpty()) return false;
    if (::GetFileAttributesA(folder) != INVALID_FILE_ATTRIBUTES) return true;
    // Not made yet: reachable when what holds it is.
    const std::string& path = folder.Bytes();
    const size_t slash = path.find_last_of('\\');
    return ::GetLastError() == ERROR_FILE_NOT_FOUND && slash != std::string::npos && slash > 0 &&
           ::GetFileAttributesA(CString(path.substr(0, slash))) != INVALID_FILE_ATTRIBUTES;
}

KeepOutcome KeepInOutbox(const CString& printFolder, const CString& outbox, const std::atomic<bool>& stop)
{
    const std::string& path = outbox.Bytes();
    const size_t slash = path.find_last_of('\\');
    if (slash != std::string::npos) ::CreateDirectoryA(CString(path.substr(0, slash)), nullptr);
    return KeepRun(printFolder, outbox, stop);
}

size_t OutboxRuns(const CString& outbox)
{
    size_t runs = 0;
    for (const CString& vin : SubFolders(outbox)) runs += SubFolders(outbox + "\\" + vin).size();
    return runs;
}

size_t ShareOutbox(const CString& outbox, const CString& historyFolder, const std::atomic<bool>& stop, bool leaveKept)
{
    if (outbox.IsEmpty() || outbox.CompareNoCase(historyFolder) == 0) return 0;
    size_t waiting = 0;
    bool leaveAll = !IsReachable(historyFolder);
    for (const CString& vin : SubFolders(outbox)) {
        const CString vinFolder = outbox + "\\" + vin;
        for (const CString& run : SubFolders(vinFolder)) {
            const CString runFolder = vinFolder + "\\" + run;
            if (!leaveAll) {
                const KeepOutcome outcome = KeepRun(runFolder, historyFolder, stop);
                const OutboxStep step = AfterSharing(outcome.result, IsReachable(historyFolder));
                if (leaveKept && (step == OutboxStep::Remove || outcome.result == KeepOutcome::Result::NothingToKeep))
                    continue;
                if (step == OutboxStep::Remove) {
                    RemoveFolder(runFolder);
                    if (::GetFileAttributesA(runFolder) == INVALID_FILE_ATTRIBUTES) continue;
                }
                leaveAll = step == OutboxStep::LeaveAll;
            }
            ++waiting;
        }
        if (!leaveKept) ::RemoveDirectoryA(vinFolder);
    }
    return waiting;
}
