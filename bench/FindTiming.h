#pragma once
// Find Next in the viewer of a long report: timed from the click on the Find dialog's Find Next
// until the viewer has selected the match. The click is sent and waited for from this process;
// a match near the start, timed in the same run, shows what the click and the selection cost
// apart from the search through the text.
#include <string>
#include <vector>

#include "tests/e2e/harness/ScratchFolder.h"

namespace bench {

// `report` (CR LF lines) with a line holding `code` inserted before line `line`.
std::string WithCodeAtLine(const std::string& report, const std::string& code, int line);

// Starts `mardello` (a Windows path), shows the live data (which must hold each code once) and
// times one Find Next of each code, each from the start of the text.
std::vector<double> TimeFindNext(const std::string& mardello, const std::string& workingDirectory,
                                 const std::vector<std::string>& codes);

// Writes a report of `lines` sample lines with one unique trouble code near its start and one near
// its end as the device's live data, times `runs` Find Next of each and prints the medians.
void BenchFindNext(int lines, int runs, const std::string& mardello, const std::string& workingDirectory,
                   const e2e::ScratchFolder& device);

}  // namespace bench
