#pragma once
// What search by trouble code and Compare cost on 10,000 kept runs: the history's codes read
// after the start, the filter's time per keystroke against drawing the list alone, and the time
// from Compare with previous until the comparison is shown, against Print Trouble Code of one run.
#include <string>

namespace bench {

// Runs Mardello.exe without a device; `runs` measurements of each.
void BenchBeforeAfter(const std::string& mardello, const std::string& workingDirectory, int runs);

}  // namespace bench
