#pragma once
// Kept runs deleted from the history: moved to the Recycle Bin, from where the user can bring
// them back, so no question is asked first unless the bin cannot take them.
#include <vector>

#include "framework/CString.h"
#include "history/HistoryList.h"

struct DeleteOutcome {
    std::vector<KeptRun> deleted;  // the runs whose folders are gone
    bool failed = false;           // some could not be moved
};

// In one move, so the bin brings them back together. A VIN's folder goes with its last run.
DeleteOutcome DeleteKeptRuns(const CString& historyFolder, const std::vector<KeptRun>& runs);
