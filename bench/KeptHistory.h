#pragma once
// A history of kept runs made up for the benchmarks, in the folder Mardello keeps runs in.
#include <string>

namespace bench {

// The VIN of made-up vehicle number `vin`.
std::string BenchVin(int vin);

// The plate of made-up vehicle number `vin`: "PL 00042".
std::string BenchPlate(int vin);

// Replaces the history with `vins` vehicles of `runsPerVin` runs each, every run with its
// VIN.DAT, the DTC.DAT that `troubleCodes` gives for the run's number and a job card.
void FillHistory(int vins, int runsPerVin, std::string (*troubleCodes)(int run));

}  // namespace bench
