#pragma once
// Two runs of one vehicle side by side, before and after a repair: which trouble codes the
// repair cleared, which are still present and which are new, as the viewer's text (UTF-8).
#include <cstdint>
#include <utility>
#include <vector>

#include "dtc/TroubleCodes.h"
#include "reports/ViewerText.h"

struct RunCodes {
    CString runTime;                          // as the history shows it: "2026-01-02 03:04:05"
    ReportRead report = ReportRead::Missing;  // Whole: its trouble-code report was read to its end
    TroubleCodeList codes;
    CString visit = CString();  // the job it was a visit of: "job J-17, 45000 km"; empty when unknown
};

// A code is the same code before and after when its system is the same too. Each group keeps the
// order of the report it comes from, by the codes' places in their lists.
struct CodeChanges {
    std::vector<uint32_t> cleared;                            // codes of the run before
    std::vector<std::pair<uint32_t, uint32_t>> stillPresent;  // the code before, and after
    std::vector<uint32_t> added;                              // codes of the run after
};
CodeChanges CompareCodes(const TroubleCodeList& before, const TroubleCodeList& after);

// The viewer text: a header with the VIN and the two runs' times and visits, the three groups with their
// codes under their systems, each code with its status before and after, and each group's count
// at the end. When either run has no whole trouble-code report, nothing is compared: the view says
// which run lacks it and lists the other run's codes for reference.
CString BeforeAndAfterView(const CString& vin, const RunCodes& before, const RunCodes& after);

// What the viewer shows, as Save As names it.
constexpr const char* kBeforeAndAfterShown = "Before and after";
