#include "history/EarlierRuns.h"

#include "framework/WinApp.h"
#include "history/Outbox.h"

namespace {
// One entry per history folder they were copied into, named by the folder: the registry compares
// names in any case, as the file system compares folders.
constexpr const char* kCopiedSection = "EarlierRunsCopiedInto";
}  // namespace

bool EarlierRunsCopied(const CString& historyFolder)
{
    const CWinApp* app = AfxGetApp();
    return app && app->GetProfileInt(kCopiedSection, historyFolder, 0) != 0;
}

bool SetEarlierRunsCopied(const CString& historyFolder)
{
    const CWinApp* app = AfxGetApp();
    return app && app->WriteProfileInt(kCopiedSection, historyFolder, 1);
}

size_t EarlierRunsToCopy(const CString& earlier, const CString& historyFolder)
{
    if (earlier.IsEmpty() || historyFolder.IsEmpty() || earlier.CompareNoCase(historyFolder) == 0) return 0;
    return OutboxRuns(earlier);
}

// The outbox's drain, with the runs left where they are.
size_t CopyEarlierRuns(const CString& earlier, const CString& historyFolder, const std::atomic<bool>& stop)
{
    return ShareOutbox(earlier, historyFolder, stop, true);
}
