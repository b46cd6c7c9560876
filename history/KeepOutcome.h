#pragma once
// What keeping a run came to.
#include "framework/CString.h"

struct KeepOutcome {
    // Busy: another program holds a report so that it cannot be read yet; Stopped: asked to stop;
    // Deleted: the user deleted this run from the history, so it is not kept again.
    enum class Result { Kept, AlreadyKept, NothingToKeep, Failed, Busy, Stopped, Deleted };
    Result result = Result::NothingToKeep;
    CString run;  // "<VIN folder> of <run time>"; "of the last device found" when a fault came first
    CString why;  // when not kept: what went wrong, in the system's words
    CString folder;  // Kept or AlreadyKept: the run's folder in the history
};
