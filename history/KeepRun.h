#pragma once
// Keeping a device's run: its report files copied byte for byte from PRINT into the history.
// It runs on a thread of its own and touches no window.
#include <windows.h>

#include "framework/CString.h"
#include "history/RunName.h"

struct KeepOutcome {
    enum class Result { Kept, AlreadyKept, NothingToKeep, Failed };
    Result result = Result::NothingToKeep;
    CString run;  // "<VIN folder> of <run time>" (or only the VIN folder when no time was read)
    CString why;  // when Failed: what went wrong, in the system's words
};

// Reads the device only, sharing its files with every other reader and writer, and leaves no
// file open. The run is written under a temporary name and renamed when whole, so the history
// never holds half a run; a run whose files and bytes are already kept is not written again.
// A file time as the local time a run is named by; all zero when it cannot be read.
RunTime LocalTimeOf(const FILETIME& time);

KeepOutcome KeepRun(const CString& printFolder, const CString& vin, const CString& historyFolder);
