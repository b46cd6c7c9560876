#pragma once
// A kept run read for opening from the history window: whether its folder is still there, its VIN
// and its job card, read on a thread of their own and waited for only while the folder (a share)
// answers, so that a share that stopped answering after the list was read does not hold the window.
#include "framework/CString.h"
#include "jobcard/JobCardFile.h"

struct KeptRunOpening {
    // Gone: deleted, on another PC, since the list was read.
    enum class Found { Kept, Gone, NoAnswer };
    Found found = Found::NoAnswer;
    CString vin;       // empty when it has no VIN file
    JobCardRead card;  // empty when it has no job file
    CString cardNote;  // what of its job file could not be read; empty when nothing
};

KeptRunOpening OpenKeptRun(const CString& runFolder);

// Why the run of `runTime` in `runFolder` is not opened, for the status line; empty when it is.
// A run another PC deleted since the list was read is said to be gone instead of being shown
// empty; one whose folder does not answer is not opened, and the view shown stays.
CString NotOpenedNote(const CString& runFolder, const KeptRunOpening& opened, const CString& runTime);
// Said too when the kept run shown leaves the history read afresh.
CString DeletedElsewhereNote(const CString& runTime);
