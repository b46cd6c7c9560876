#pragma once
// The trouble codes a trouble-code report holds, found in its viewer text (UTF-8, whatever the
// file's encoding). A code is the five-character form: P, C, B or U, a digit 0 to 3, then three
// hexadecimal digits in upper case, standing alone (no letter or digit right before or after it;
// a character beyond ASCII, "码" or a full-width space, parts words as a space does). Its text is
// what follows it on its line up to the next code there, at most its first 256 bytes in whole
// characters, trimmed. Its system is the last line before it that names one: a line that starts
// with "系统", "System" or "Module" and a colon (a full-width one too); the system is what follows
// the colon, its first 256 bytes, trimmed. Each code counts once per system: a report of any shape
// gives a list in step with its size.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/CString.h"

// Twelve bytes a code: a report of short codes may hold a hundred thousand.
struct TroubleCode {
    uint32_t system;  // the list's own number for its system, the same for every code under it
    uint32_t textAt;  // its text is textSize bytes of the list's report from textAt
    uint16_t textSize;
    uint16_t form;    // the code packed: its letter, then its four digits, two bits and three hex digits
};

// The codes of one report, which the list holds so that each code only points into it.
class TroubleCodeList {
public:
    std::vector<TroubleCode> codes;  // in the order of the report

    std::string_view System(const TroubleCode& code) const;  // empty before any line names one
    std::string_view Text(const TroubleCode& code) const;    // status and description
    static std::string Code(const TroubleCode& code);  // "P0301"
    // Systems are numbered 0 up in the order first named; 0 is none named.
    size_t SystemCount() const { return m_systems.size(); }
    std::string_view SystemNamed(size_t system) const;

private:
    struct Span {
        uint32_t at, size;
    };
    friend TroubleCodeList FindTroubleCodes(std::string viewerText);
    std::string m_report;
    std::vector<Span> m_systems;
};

// A code found again under the same system counts once (its first line), under another system
// it counts again.
TroubleCodeList FindTroubleCodes(std::string viewerText);

// The codes alone, each once, in the form the history's filter searches: " P0301 P0171".
CString CodeList(const TroubleCodeList& list);
