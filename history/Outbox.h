#pragma once
// The outbox on this PC (history/OutboxStep.h): where a run goes while the history's folder
// cannot be reached, and how its runs go on into the history. Both run off the window's thread.
#include <atomic>

#include "framework/CString.h"
#include "history/KeepRun.h"

// <local application data>\Mardello\Outbox; empty when the system names no such folder.
CString OutboxFolder();
// False when the folder, or the drive or share it is on, cannot be reached now; a folder that
// is there, or could be made there, is reachable.
bool IsReachable(const CString& folder);
// Keeps the device's run in the outbox, making the folders it is in first.
KeepOutcome KeepInOutbox(const CString& printFolder, const CString& outbox, const std::atomic<bool>& stop);
// Every run of the outbox kept into the history, oldest VIN folder first; returns how many
// runs still wait there. With `leaveKept` the runs stay where they are once kept, as those kept
// earlier on this PC do, and a run with nothing to keep is not waited for.
size_t ShareOutbox(const CString& outbox, const CString& historyFolder, const std::atomic<bool>& stop,
                   bool leaveKept = false);
// The runs waiting in the outbox.
size_t OutboxRuns(const CString& outbox);
