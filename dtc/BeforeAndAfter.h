#pragma once
// Two runs of one vehicle side by side, before and after a repair: which trouble codes the
// repair cleared, which are still present and which are new, as the viewer's text.
#include <vector>

#include "dtc/TroubleCodes.h"

struct RunCodes {
    CString runTime;         // as the history shows it: "2026-01-02 03:04:05"
    bool hasReport = false;  // the run holds a trouble-code report
    std::vector<TroubleCode> codes;
};

// A code is the same code before and after when its system is the same too. Each group keeps the
// order of the report it comes from; a code still present has the text it has after.
struct CodeChanges {
    std::vector<TroubleCode> cleared;
    std::vector<TroubleCode> stillPresent;
    std::vector<TroubleCode> added;
};
CodeChanges CompareCodes(const std::vector<TroubleCode>& before, const std::vector<TroubleCode>& after);

// The viewer text: a header with the VIN and the two runs' times, the three groups with their
// codes under their systems, and each group's count at the end.
CString BeforeAndAfterView(const CString& vin, const RunCodes& before, const RunCodes& after);

// What the viewer shows, as Save As names it.
constexpr const char* kBeforeAndAfterShown = "Before and after";
