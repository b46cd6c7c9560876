#pragma once
// What search by trouble code and Compare cost on 10,000 kept runs: the history's codes read
// after the start, the filter's time per keystroke against drawing the list alone, and the time
// from Compare with previous until the comparison is shown, against Print Trouble Code of one run;
// and Compare of two runs whose trouble-code reports hold 1 MB of many systems: its time and
// the program's peak memory.
#include <string>

namespace bench {

// Runs Mardello.exe without a device; `runs` measurements of each. `probeLibrary` reads the
// peak memory inside the program.
void BenchBeforeAfter(const std::string& mardello, const std::string& workingDirectory, const std::string& probeLibrary,
                      int runs);

}  // namespace bench
