#pragma once
// What the job card adds to the run's text wherever it goes (the printed pages, Save As, Copy,
// the comparison) and how the history's filter finds a run by it. All UTF-8.
#include "jobcard/JobCard.h"

// One line of the fields set: "Plate: B 12345   Mileage: 45000 km   Customer: …   Job: J-17";
// empty when none is.
CString JobLine(const JobCard& card);
// The two runs of a comparison as two visits: "job J-17, 45000 km"; empty when neither is set.
CString JobVisit(const JobCard& card);
// The viewer's text (paragraphs ended by a bare CR) with the job line at its top and the notes at
// its end under "Notes", as saved and copied; the text alone when the card is empty.
CString WithJobCard(const CString& text, const JobCard& card);
// Only the notes at the end, for the printed pages, which carry the job line apart.
CString WithJobNotes(const CString& text, const JobCard& card);

// What the filter looks through: the plate, the customer and the job number, each folded to
// lower-case ASCII and starting after a line feed, so that one search finds a field by its start.
CString JobFilterKeys(const JobCard& card);
// True when `filter` starts a field of the keys, ignoring the case of ASCII letters.
bool JobKeysMatch(const CString& keys, const CString& filter);
