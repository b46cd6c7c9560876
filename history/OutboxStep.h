#pragma once
// While the history's folder cannot be reached (a share down, a drive gone), runs are kept in an
// outbox on this PC, a second history of the same layout. Each of its runs is later kept into the
// history as a device's run is, and leaves the outbox only once it is there whole, or was there
// already, or was deleted there: so a run is never lost, and never kept twice.
#include "history/KeepOutcome.h"

// Leave: the run stays for the next time, the others are tried; LeaveAll: the history is gone
// again, or the program closes, so the rest wait too.
enum class OutboxStep { Remove, Leave, LeaveAll };

// After keeping one run of the outbox into the history; `historyReachable` is looked at afterwards.
OutboxStep AfterSharing(KeepOutcome::Result result, bool historyReachable);
