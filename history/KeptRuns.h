#pragma once
// The runs the history folder holds, read for the history window.
#include <vector>

#include "framework/CString.h"
#include "history/HistoryList.h"
#include "jobcard/JobCard.h"

// A run's folder inside a VIN folder: named as a run is, or renamed by hand and holding at
// least one report, its time then its newest report's (the folder of a renamed run is opened,
// a run's named as such is not). A name starting with '~' is a keep's, never a run's.
bool IsKeptRunFolder(const CString& vinFolderPath, const CString& name, RunTime& time, int& copy);

// Every run inside a VIN folder, the VIN folder named by any name but a keep's; what each holds
// is read only when asked (KeptVin), so that the window opens at once on thousands of runs.
std::vector<KeptRun> ReadKeptRuns(const CString& historyFolder);

// Each run's trouble codes and job card, for the filter: taken from `known` for a run read before (a kept
// run's reports never change, and its job card changes only through the program, which tells the
// list), read from its trouble-code report and job file for the others; a run whose report could not
// be read is marked so (codesRead false), not taken as one without codes.
void ReadRunCodes(const CString& historyFolder, std::vector<KeptRun>& runs, const std::vector<KeptRun>& known);
// Each run's VIN (KeptVin), for comparing and filtering runs by the VIN their VIN.DAT names
// whatever their folder is called; taken from `known` as the codes are.
void ReadRunVins(const CString& historyFolder, std::vector<KeptRun>& runs, const std::vector<KeptRun>& known);

// The run's plate and filter keys from its job card, in the system's code page as the list and
// its filter box have text.
void TakeJobCard(KeptRun& run, const JobCard& card);

// In the outbox for a run waiting there.
CString RunFolderPath(const CString& historyFolder, const KeptRun& run);

// The VIN the kept run's own VIN.DAT names (history/VinOfFile.h); empty when it has none.
CString KeptVin(const CString& runFolderPath);
