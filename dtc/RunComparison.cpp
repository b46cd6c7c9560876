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

void CRunComparison::Compare(const CString& vin, const CString& beforeFolder, const CString& beforeTime,
                             const CString& afterFolder, const CString& afterTime) const
{
    const EncodingOf encodingOf = [&](std::string_view bytes) { return m_encoding.EncodingOf(bytes); };
    CString view;
    try {
        view = BeforeAndAfterView(vin, RunOf(beforeFolder, beforeTime, encodingOf), RunOf(afterFolder, afterTime, encodingOf));
    } catch (const std::bad_alloc&) {
        // Said in the viewer and the status line alike, so that neither shows a comparison not made.
        const CString why = "The runs could not be compared: not enough memory.";
        m_listener.ShowView(kBeforeAndAfterShown, "\r\n" + why);
        m_listener.Say(why);
        return;
    }
    m_listener.ShowView(kBeforeAndAfterShown, view);
}
