#include "dtc/RunComparison.h"

#include <new>

#include "dtc/RunReport.h"
#include "jobcard/JobCardStore.h"
#include "jobcard/JobCardText.h"

namespace {

// The run's codes, and the visit its job card names, so that before and after read as two visits.
RunCodes RunOf(const CString& folder, const CString& time, const EncodingOf& encodingOf)
{
    RunCodes run = CodesOfRun(folder, time, encodingOf);
    run.visit = JobVisit(ReadJobCardOf(folder).card);
    return run;
}

}  // namespace

ComparedRuns CompareRuns(const CString& vin, const CString& beforeFolder, const CString& beforeTime,
                         const CString& afterFolder, const CString& afterTime, const CEncodingChoice& encoding)
{
    const EncodingOf encodingOf = [&](std::string_view bytes) { return encoding.EncodingOf(bytes); };
    try {
        return {BeforeAndAfterView(vin, RunOf(beforeFolder, beforeTime, encodingOf),
                                   RunOf(afterFolder, afterTime, encodingOf)),
                CString()};
    } catch (const std::bad_alloc&) {
        // Said in the viewer and the status line alike, so that neither shows a comparison not made.
        const CString why = "The runs could not be compared: not enough memory.";
        return {"\r\n" + why, why};
    }
}
