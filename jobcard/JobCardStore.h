#pragma once
// The job card's file in a run's folder, read and written whole. Writing goes to a new file that
// then replaces the old one, so a failure on the way leaves the details as they were.
#include "jobcard/JobCardFile.h"

// No file is an empty card, not a trouble; a file that cannot be opened says so in `note`.
JobCardRead ReadJobCardOf(const CString& runFolder, CString* note = nullptr);
// The system's error, 0 when written.
unsigned long WriteJobCardOf(const CString& runFolder, const JobCard& card);
