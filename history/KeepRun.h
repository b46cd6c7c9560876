#pragma once
// Keeping a device's run: its report files copied byte for byte from PRINT into the history.
// It runs on a thread of its own and touches no window.
#include <windows.h>

#include <atomic>

#include "framework/CString.h"
#include "history/KeepOutcome.h"
#include "history/RunName.h"

// Reads the device only, sharing its files with every other reader and writer, and leaves no
// file open. The run is copied a piece at a time into a temporary folder, named after the VIN
// in the VIN.DAT copied, and renamed into the history when whole, so the history never holds
// half a run; a run whose report files and bytes are already kept (by this or another
// Mardello, in any folder of its time) counts as kept, and one deleted from the history
// (history/DeletedRuns.h) is not kept again. A new run of a second already kept takes the
// highest number of that second plus one. Nothing it meets is thrown: a fault is a failed keep. `stop`, set by another
// thread, ends the copy at the next piece and leaves nothing of it behind.
KeepOutcome KeepRun(const CString& printFolder, const CString& historyFolder, const std::atomic<bool>& stop) noexcept;
