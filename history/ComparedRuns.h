#pragma once
// Which two kept runs the history window's Compare puts side by side: two runs of one vehicle,
// the older as "before". Runs kept without a VIN may be of any vehicle, so they are not compared.
#include <vector>

#include "history/HistoryList.h"

struct RunPair {
    size_t before;  // indices into the runs
    size_t after;
};

// The two selected runs, when they are two runs of one VIN.
bool SelectedPair(const std::vector<KeptRun>& runs, const std::vector<size_t>& selected, RunPair& pair);
// `run` and the run of its VIN just before it, when there is one.
bool WithPrevious(const std::vector<KeptRun>& runs, size_t run, RunPair& pair);
