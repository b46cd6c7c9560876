#pragma once
// The trouble codes a trouble-code report holds. A code is the five-character form: P, C, B or
// U, a digit 0 to 3, then three hexadecimal digits in upper case, standing alone (no letter or
// digit right before or after it). Its text is the rest of its line (its first 256 bytes). Its
// system is the last line before it that names one: a line that starts with "系统" (GBK),
// "System" or "Module" and a colon; the system is what follows the colon. The report is read by
// whole GBK characters, so the second byte of a character never starts a code.
#include <vector>

#include "framework/CString.h"

struct TroubleCode {
    CString system;  // as the report names it; empty before any line names one
    CString code;    // "P0301"
    CString text;    // the rest of its line, trimmed: status and description
};

// In the order of the report; a code found again under the same system counts once (its first
// line), under another system it counts again.
std::vector<TroubleCode> FindTroubleCodes(const CString& report);

// The codes alone, each once, in the form the history's filter searches: " P0301 P0171".
CString CodeList(const std::vector<TroubleCode>& codes);
