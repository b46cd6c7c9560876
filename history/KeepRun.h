#pragma once
// Keeping a device's run: its report files copied byte for byte from PRINT into the history.
// It runs on a thread of its own and touches no window.
#include <windows.h>

#include <atomic>

#include "framework/CString.h"
#include "history/RunName.h"

struct KeepOutcome {
    // Busy: another program holds a report so that it cannot be read yet; Stopped: asked to stop;
    // Deleted: the user deleted this run from the history, so it is not kept again.
    enum class Result { Kept, AlreadyKept, NothingToKeep, Failed, Busy, Stopped, Deleted };
    Result result = Result::NothingToKeep;
    CString run;  // "<VIN folder> of <run time>"; "of the last device found" when a fault came first
    CString why;  // when not kept: what went wrong, in the system's words
    CString folder;  // Kept or AlreadyKept: the run's folder in the history
};

// Reads the device only, sharing its files with every other reader and writer, and leaves no
// file open. The run is copied a piece at a time into a temporary folder, named after the VIN
// in the VIN.DAT copied, and renamed into the history when whole, so the history never holds
// half a run; a run whose report files and bytes are already kept (by this or another
// Mardello, in any folder of its time) counts as kept, and one deleted from the history
// (history/DeletedRuns.h) is not kept again. A new run of a second already kept takes the
// highest number of that second plus one. Nothing it meets is thrown: a fault is a failed keep. `stop`, set by another
// thread, ends the copy at the next piece and leaves nothing of it behind.
KeepOutcome KeepRun(const CString& printFolder, const CString& historyFolder, const std::atomic<bool>& stop) noexcept;
