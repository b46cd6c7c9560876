#pragma once
// The runs the history folder holds, read for the history window.
#include <vector>

#include "framework/CString.h"
#include "history/HistoryList.h"

// Every folder named as a run inside a VIN folder; what each holds is read only when asked
// (KeptVin), so that the window opens at once on thousands of runs.
std::vector<KeptRun> ReadKeptRuns(const CString& historyFolder);

// Each run's trouble codes, for the filter: taken from `known` for a run read before (a kept run
// never changes), read from its trouble-code report for the others; a run whose report could not
// be read is marked so (codesRead false), not taken as one without codes.
void ReadRunCodes(const CString& historyFolder, std::vector<KeptRun>& runs, const std::vector<KeptRun>& known);

CString RunFolderPath(const CString& historyFolder, const KeptRun& run);

// The VIN the kept run's own VIN.DAT names; empty when it has none.
CString KeptVin(const CString& runFolderPath);
