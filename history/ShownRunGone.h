#pragma once
// A kept run shown in the main window that another PC deleted: the list read afresh from the
// history's folder no longer holds it.
#include <vector>

#include "framework/CString.h"
#include "history/HistoryList.h"

// True when `shownFolder` is a run's folder in `historyFolder` that `runs`, read from there,
// lack. A run shown from elsewhere (the outbox, a folder chosen before) is not this list's to say.
bool ShownRunGone(const CString& shownFolder, const CString& historyFolder, const std::vector<KeptRun>& runs);
