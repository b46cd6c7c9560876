#pragma once
// Deleting kept runs from the history window: into the Recycle Bin, from where the user can
// bring them back, all in one move; noted as deleted, so that a device still holding the same
// reports does not bring them back at its next plug-in (history/DeletedRuns.h).
#include <vector>

#include "framework/CString.h"
#include "history/HistoryList.h"

struct DeleteOutcome {
    std::vector<size_t> deleted;  // indices into the runs asked for, of those gone
    CString why;                  // empty when every run went and was noted
    bool forGood = false;         // on a share, which has no Recycle Bin: the system asked first
};

// A VIN's folder goes with its last run, and with what an earlier version's keep left in it.
// Asks nothing, unless the Recycle Bin cannot take a run and the system asks whether to delete
// it for good.
DeleteOutcome DeleteKeptRuns(const CString& historyFolder, const std::vector<KeptRun>& runs);
