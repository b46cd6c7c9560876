#include "history/ShownRunGone.h"

bool ShownRunGone(const CString& shownFolder, const CString& historyFolder, const std::vector<KeptRun>& runs)
{
    // Windows names differ in case only for the same folder.
    const CString prefix = historyFolder + "\\";
    if (historyFolder.IsEmpty() || shownFolder.GetLength() <= prefix.GetLength() ||
        shownFolder.Left(prefix.GetLength()).CompareNoCase(prefix) != 0)
        return false;
    const CString runPath = shownFolder.Mid(prefix.GetLength());
    for (const KeptRun& run : runs)
        if (run.waitingIn.IsEmpty() && runPath.CompareNoCase(run.vinFolder + "\\" + run.runFolder) == 0) return false;
    return true;
}
