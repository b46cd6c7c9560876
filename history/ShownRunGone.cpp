#include "history/ShownRunGone.h"

#include <algorithm>

// Windows names differ in case only for the same folder.
ShownRunFate FateOfShownRun(const CString& shownFolder, const CString& historyFolder, const std::vector<KeptRun>* runs,
                            const std::vector<CString>& deletedHere)
{
    if (std::any_of(deletedHere.begin(), deletedHere.end(), [&](const CString& folder) { return folder.CompareNoCase(shownFolder) == 0; }))
        return ShownRunFate::DeletedHere;
    const CString prefix = historyFolder + "\\";
    if (!runs || historyFolder.IsEmpty() || shownFolder.GetLength() <= prefix.GetLength() ||
        shownFolder.Left(prefix.GetLength()).CompareNoCase(prefix) != 0)
        return ShownRunFate::StillKept;
    const CString runPath = shownFolder.Mid(prefix.GetLength());
    for (const KeptRun& run : *runs)
        if (run.waitingIn.IsEmpty() && runPath.CompareNoCase(run.vinFolder + "\\" + run.runFolder) == 0) return ShownRunFate::StillKept;
    return ShownRunFate::DeletedElsewhere;
}
