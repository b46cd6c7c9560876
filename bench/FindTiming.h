#pragma once
// Find Next in the viewer of a long report, the match near its end: timed from the click on the
// Find dialog's Find Next until the viewer has selected the match. The click is sent and waited
// for from this process, so the time holds one crossing between processes and the whole search.
#include <string>

#include "tests/e2e/harness/ScratchFolder.h"

namespace bench {

// Writes a report of `lines` sample lines with one unique trouble code near its end as the
// device's live data, times `runs` Find Next of that code and prints the median against the goal.
void BenchFindNext(int lines, int runs, const std::string& mardello, const std::string& workingDirectory,
                   const e2e::ScratchFolder& device);

// The device's live data with a trouble code `code` that no other line holds, `fromEnd` lines
// before the end of `report`'s CR LF lines.
std::string WithCodeNearTheEnd(const std::string& report, const std::string& code, int fromEnd);

// Starts `mardello` (a Windows path), shows the live data (which must hold `code` once), opens
// Find from the start of the text and times one Find Next of `code`.
double TimeFindNext(const std::string& mardello, const std::string& workingDirectory, const std::string& code);

}  // namespace bench
