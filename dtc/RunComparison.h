#pragma once
// The before-and-after view: two kept runs of one vehicle, their trouble codes compared into a
// view, which the viewer shows as any view command's.
#include "framework/CString.h"
#include "reports/EncodingChoice.h"

struct ComparedRuns {
    // Shown as a view command's, named kBeforeAndAfterShown by Save As; UTF-8, as every view's text is.
    CString view;
    // Said in the status line once the view is shown: no memory, or a folder that did not answer;
    // empty when the runs were compared.
    CString failure;
};

// Each run is its folder and its time as the history shows it. The reports are read as the
// viewer reads them, in the encoding chosen.
ComparedRuns CompareRuns(const CString& vin, const CString& beforeFolder, const CString& beforeTime,
                         const CString& afterFolder, const CString& afterTime, const CEncodingChoice& encoding);
