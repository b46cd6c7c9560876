#pragma once
// The job card's file, written for a person with Notepad as much as for this program: UTF-8 with a
// byte-order mark, one "Field: value" line per field set, then "Notes:" and the notes to the end.
// Reading takes what it can from any bytes (another editor's, a damaged or a binary file) and
// says what it could not take, so a bad file never hides a run.
#include <cstddef>

#include "jobcard/JobCard.h"

// What reading left out, as flags.
enum JobCardTrouble : unsigned {
    kJobCardFine = 0,
    kJobCardUnknownLines = 1,  // lines that name no field
    kJobCardNotUtf8 = 2,       // bytes that are not UTF-8 text, shown as U+FFFD
    kJobCardCut = 4,           // a field or the notes longer than the window holds, or the file cut short
    kJobCardBadMileage = 8,    // a mileage that is not a number with km or mi
};

struct JobCardRead {
    JobCard card;
    unsigned trouble = kJobCardFine;
};

// `wholeFile` false: the bytes are only the file's start.
JobCardRead ReadJobCard(const char* bytes, size_t size, bool wholeFile = true);
CString JobCardFileText(const JobCard& card);

// The status line's words for what reading left out; empty when nothing was.
CString JobCardTroubleText(unsigned trouble);
