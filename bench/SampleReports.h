#pragma once
// Report files as the device writes them, of any length: trouble codes, live data and
// freeze-frame records with the inner tabs, padding, empty lines and GBK names that real
// reports carry, so that the viewer is timed on the text it really gets.
#include <string>

namespace bench {

struct SampleReports {
    std::string troubleCodes;  // DTC.DAT
    std::string liveData;      // CDS.DAT
    std::string freezeFrame;   // FROZEN.DAT
};

// `totalLines` lines over the three files: a fifth trouble codes, a fifth freeze frame and the
// rest live data, the largest report of a real run. Lines end in CR LF.
SampleReports MakeSampleReports(int totalLines);

}  // namespace bench
