#include "history/OutboxStep.h"

OutboxStep AfterSharing(KeepOutcome::Result result, bool historyReachable)
{
    using Result = KeepOutcome::Result;
    switch (result) {
    case Result::Kept:
    case Result::AlreadyKept:
    case Result::Deleted:
        return OutboxStep::Remove;
    case Result::Stopped:
        return OutboxStep::LeaveAll;
    case Result::Failed:
        return historyReachable ? OutboxStep::Leave : OutboxStep::LeaveAll;
    case Result::Busy:
    case Result::NothingToKeep:
    default:
        // A run of the outbox without reports is no run to share, and is not removed either.
        return OutboxStep::Leave;
    }
}
