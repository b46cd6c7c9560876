#pragma once
// The job card's file in a run's folder, read and written whole. Writing goes to a new file that
// then replaces the old one, so a failure on the way leaves the details as they were.
#include <optional>

#include "jobcard/JobCardFile.h"

// No file is an empty card, not a trouble; a file that cannot be opened says so in `note`.
JobCardRead ReadJobCardOf(const CString& runFolder, CString* note = nullptr);
// The system's error, 0 when written.
unsigned long WriteJobCardOf(const CString& runFolder, const JobCard& card);

// The same from the window's thread, on a thread of their own and waited for only while the
// run's folder (a share) answers: nothing when it did not answer.
std::optional<JobCardRead> ReadJobCardWhileAnswered(const CString& runFolder, CString* note = nullptr);
std::optional<unsigned long> WriteJobCardWhileAnswered(const CString& runFolder, const JobCard& card);
