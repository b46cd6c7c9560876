#pragma once
// The one reading of a report file: its bytes, in the encoding found or chosen for them, as the
// viewer's text (UTF-8, one "\r\n" and a shown line per report line). The viewer, the comparison
// of two runs and the history's filter all read a report through it, so they never disagree.
#include <string_view>

#include "framework/CString.h"
#include "reports/ReportEncoding.h"

// A byte-order mark is skipped whatever the encoding; UTF-16 is read by its pairs of bytes; bytes
// that are no character of the encoding show as U+FFFD. Lines are cut as the C runtime's text mode
// does (CR LF, LF, 0x1A ends the file).
std::string ReportText(std::string_view bytes, ReportEncoding encoding);

// `bytes` as valid UTF-8: each byte that starts no valid sequence becomes U+FFFD.
std::string ValidUtf8(std::string_view bytes);
