#include "dtc/RunComparison.h"

#include <new>

#include "dtc/RunReport.h"

ComparedRuns CompareRuns(const CString& vin, const CString& beforeFolder, const CString& beforeTime,
                         const CString& afterFolder, const CString& afterTime, const CEncodingChoice& encoding)
{
    const EncodingOf encodingOf = [&](std::string_view bytes) { return encoding.EncodingOf(bytes); };
    try {
        return {BeforeAndAfterView(vin, CodesOfRun(beforeFolder, beforeTime, encodingOf),
                                   CodesOfRun(afterFolder, afterTime, encodingOf)),
                CString()};
    } catch (const std::bad_alloc&) {
        // Said in the viewer and the status line alike, so that neither shows a comparison not made.
        const CString why = "The runs could not be compared: not enough memory.";
        return {"\r\n" + why, why};
    }
}
