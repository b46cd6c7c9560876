#include "history/EarlierRuns.h"

#include "framework/WinApp.h"
#include "history/Outbox.h"

namespace {
constexpr const char* kSettingsSection = "Settings";
constexpr const char* kCopiedEntry = "EarlierRunsCopied";
}  // namespace

bool EarlierRunsCopied()
{
    const CWinApp* app = AfxGetApp();
    return app && app->GetProfileInt(kSettingsSection, kCopiedEntry, 0) != 0;
}

bool SetEarlierRunsCopied()
{
    const CWinApp* app = AfxGetApp();
    return app && app->WriteProfileInt(kSettingsSection, kCopiedEntry, 1);
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
