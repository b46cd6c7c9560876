#pragma once
// A report file read whole into the viewer's text, the one way every feature reads one.
#include <functional>
#include <string>
#include <string_view>

#include "framework/CString.h"
#include "reports/ReportEncoding.h"
#include "reports/ViewerText.h"

using EncodingOf = std::function<ReportEncoding(std::string_view reportBytes)>;

// Appends the report file's lines to `text`, its encoding found from all of its bytes by
// `encodingOf`. Missing: it cannot be opened. CutShort: it could not be read to its end (the
// device pulled out) or is too large for the memory at hand; what was read is appended.
// NoAnswer: its folder (a share) stopped answering; the file is read on a thread of its own,
// waited for only while it answers, so the window's thread is never held for long.
ReportRead ReadReportText(const CString& path, const EncodingOf& encodingOf, std::string& text);
// The same on the calling thread, for as long as the folder takes: for a thread that may wait,
// such as the keeping thread, which would otherwise leave a thread behind for every report of a
// share that hangs.
ReportRead ReadReportTextHere(const CString& path, const EncodingOf& encodingOf, std::string& text);

// One of the two above, for a feature that reads on either kind of thread.
using ReadReport = ReportRead (*)(const CString& path, const EncodingOf& encodingOf, std::string& text);
