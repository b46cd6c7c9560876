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
ReportRead ReadReportText(const CString& path, const EncodingOf& encodingOf, std::string& text);
