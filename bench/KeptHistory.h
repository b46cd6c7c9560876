#pragma once
// A history of kept runs made up for the benchmarks, in the folder Mardello keeps runs in.
#include <string>

namespace bench {

// The VIN of made-up vehicle number `vin`.
std::string BenchVin(int vin);

// Replaces the history with `vins` vehicles of `runsPerVin` runs each, every run with its
// VIN.DAT and the DTC.DAT that `troubleCodes` gives for the run's number.
void FillHistory(int vins, int runsPerVin, std::string (*troubleCodes)(int run));

}  // namespace bench
