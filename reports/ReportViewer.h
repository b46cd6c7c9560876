#pragma once
// The report viewer's control: made ready for plain text, emptied and filled with a view's text,
// and the report files read into that text. A view's text is UTF-8: each report is converted from
// its own encoding once, as it is read, and the viewer holds Unicode characters.
#include "framework/Controls.h"
#include "reports/EncodingChoice.h"
#include "reports/ViewerText.h"

// Plain text and no limit on its size; for an empty control with nothing to undo.
void PrepareViewer(const CRichEditCtrl& viewer);
// The viewer may be swapped for a new control; `viewer` then names the new one.
void EmptyViewer(CRichEditCtrl& viewer);
void FillViewer(const CRichEditCtrl& viewer, const CString& text);

// Appends the lines of the report file `fileName` in `folder` to the viewer text, read as
// `encoding` has it.
ReportRead LoadReportFile(const CString& folder, const char* fileName, const CEncodingChoice& encoding,
                          CString& viewerText);
