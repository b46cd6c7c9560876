#pragma once
// The history's note of deleted runs on disk (history/DeletedRuns.h has its rule).
#include <atomic>
#include <string>
#include <vector>

#include "framework/CString.h"
#include "history/DeletedRuns.h"

// The report files in a run's folder with their hashes; false when one cannot be read whole
// (or `stop` is set meanwhile).
bool PrintOfRun(const CString& runFolder, std::vector<ReportPrint>& run, const std::atomic<bool>& stop);

// The note's bytes; empty when there is none. A note past 16 MB is read that far.
std::string ReadDeletedRuns(const CString& historyFolder);

// Adds the lines to the note; false, with the system's words in `why`, when it cannot be written.
bool NoteDeletedRuns(const CString& historyFolder, const std::vector<std::string>& lines, CString& why);
