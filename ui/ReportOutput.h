#pragma once
// Print, the preview and Save As of the report the main window shows: each is handed what is
// shown and says what the status line is to say.
#include <functional>
#include <optional>
#include <string>

#include "framework/Wnd.h"
#include "jobcard/JobCard.h"

// What the main window shows, as Print, the preview and Save As take it.
struct ShownReport {
    CString vin;     // as in the VIN box, in the system's code page
    CString shown;   // the name Save As gives the view; empty when no view is shown
    CString folder;  // where its reports come from
    // The viewer's text as shown and edited, read once it is needed: a large report is not read
    // for a print or a save that is called off.
    std::function<std::wstring()> text;
    JobCard job;  // the job card of the run in view: its line on every page, its notes after the report
};

// What the status line is to say: a failure or a note, or, empty, the status of where the
// reports come from; none when it stays as it is.
using StatusWord = std::optional<CString>;

StatusWord PrintReport(CWnd* owner, const ShownReport& report);
// True when the preview's Print was chosen.
bool PreviewReport(CWnd* owner, const ShownReport& report);
// It proposes a name in the history's folder from the VIN, the time of the reports and the view.
StatusWord SaveReportAs(CWnd* owner, const ShownReport& report);
