#include "dtc/RunComparison.h"

#include <new>
#include <optional>

#include "dtc/RunReport.h"
#include "jobcard/JobCardStore.h"
#include "jobcard/JobCardText.h"
#include "reports/ReportFiles.h"
#include "reports/ReportSource.h"

namespace {

// The run's codes, and the visit its job card names, so that before and after read as two visits.
// `unanswered`: what its folder (a share) did not answer for, once; the rest is not asked.
RunCodes RunOf(const CString& folder, const CString& time, const EncodingOf& encodingOf, CString& unanswered)
{
    if (!unanswered.IsEmpty()) return RunCodes{time, ReportRead::NoAnswer, TroubleCodeList()};
    RunCodes run = CodesOfRun(folder, time, encodingOf);
    if (run.report == ReportRead::NoAnswer) {
        unanswered = NoAnswerNote(HistoryFolderOfRun(folder),
                                  CString("the ") + kTroubleCodes.shown + " report could not be read");
        return run;
    }
    const std::optional<JobCardRead> card = ReadJobCardWhileAnswered(folder);
    if (card) run.visit = JobVisit(card->card);
    else unanswered = NoAnswerNote(HistoryFolderOfRun(folder), "the job details could not be read");
    return run;
}

}  // namespace

ComparedRuns CompareRuns(const CString& vin, const CString& beforeFolder, const CString& beforeTime,
                         const CString& afterFolder, const CString& afterTime, const CEncodingChoice& encoding)
{
    const EncodingOf encodingOf = [&](std::string_view bytes) { return encoding.EncodingOf(bytes); };
    try {
        CString unanswered;
        const RunCodes before = RunOf(beforeFolder, beforeTime, encodingOf, unanswered);
        const RunCodes after = RunOf(afterFolder, afterTime, encodingOf, unanswered);
        return {BeforeAndAfterView(vin, before, after), unanswered};
    } catch (const std::bad_alloc&) {
        // Said in the viewer and the status line alike, so that neither shows a comparison not made.
        const CString why = "The runs could not be compared: not enough memory.";
        return {"\r\n" + why, why};
    }
}
