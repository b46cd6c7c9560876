#pragma once
// A kept run's folder is named after the run's time, the newest modification time of the
// device's reports, in a form that sorts by name as it does by time: "2026-12-08 21-46-13".
// Two different runs of one vehicle in the same second are told apart by " (2)", " (3)"...
#include <vector>

#include "framework/CString.h"
#include "framework/LocalTime.h"

using RunTime = LocalTime;

// The time a run is named by: the time its reports were written, unless the device gave none
// (a zero time, before the first day any device's drive can hold) or one more than a day
// ahead of the time it is kept, which no list could read or compare: then the time it is kept.
RunTime RunTimeOrKeptTime(const RunTime& written, const RunTime& kept);

// Time first: earlier is less. A zero time is earlier than any.
int CompareRunTimes(const RunTime& a, const RunTime& b);

// `copy` 1 is the first run of its second and has no number.
CString RunFolderName(const RunTime& time, int copy = 1);
// The time a run's folder name stands for, and its copy number (1 without one); false for any
// other folder (a run still being written, a folder the user made). The number has no limit
// short of what no second can hold: up to nine digits.
bool ParseRunFolderName(const CString& name, RunTime& time, int& copy);
bool ParseRunFolderName(const CString& name, RunTime& time);

// The copy number a new run of `time` takes beside the run folders `names` of its VIN: the
// highest of its second plus one, so that a number freed by a deletion is never taken again
// and a later run never sorts before an earlier one.
int NextCopyNumber(const std::vector<CString>& names, const RunTime& time);
// The run's time as the user reads it: "2026-12-08 21:46:13".
CString RunTimeText(const RunTime& time);
