#pragma once
// What became of the kept run shown in the main window: still kept, deleted from the history
// window here, or deleted by another PC, when the list read afresh from the history's folder no
// longer holds it.
#include <vector>

#include "framework/CString.h"
#include "history/HistoryList.h"

enum class ShownRunFate { StillKept, DeletedHere, DeletedElsewhere };

// `shownFolder` as a run's folder in `historyFolder`, whose runs as read are `runs` (null until
// read); `deletedHere` the folders of the runs deleted here. A run shown from elsewhere (the
// outbox, a folder chosen before) is not this list's to say.
ShownRunFate FateOfShownRun(const CString& shownFolder, const CString& historyFolder, const std::vector<KeptRun>* runs,
                            const std::vector<CString>& deletedHere);
