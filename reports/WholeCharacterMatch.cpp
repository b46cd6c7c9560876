#include "reports/WholeCharacterMatch.h"

namespace {

// The position of the character after the one that starts at `at`.
size_t NextCharacter(std::string_view bytes, size_t at)
{
    return IsLeadByte(static_cast<unsigned char>(bytes[at])) && at + 1 < bytes.size() ? at + 2 : at + 1;
}

bool SameLetter(char mine, char theirs, bool matchCase)
{
    const auto fold = [](char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; };
    return matchCase ? mine == theirs : fold(mine) == fold(theirs);
}

}  // namespace

bool IsWholeCharacterMatchAt(std::string_view fromBoundary, std::string_view sought, bool matchCase)
{
    if (sought.empty() || fromBoundary.size() < sought.size()) return false;
    size_t at = 0;
    while (at < sought.size()) {
        const size_t next = NextCharacter(fromBoundary, at);
        if (next > sought.size()) return false;  // ends on the first byte of a character
        if (next == at + 2) {
            if (fromBoundary[at] != sought[at] || fromBoundary[at + 1] != sought[at + 1]) return false;
        } else if (!SameLetter(fromBoundary[at], sought[at], matchCase)) {
            return false;
        }
        at = next;
    }
    return true;
}

bool IsWholeCharacterMatch(const CString& text, size_t at, const CString& sought, bool matchCase)
{
    const std::string_view bytes = text.Bytes();
    if (at > bytes.size()) return false;
    size_t boundary = 0;
    while (boundary < at) boundary = NextCharacter(bytes, boundary);
    return boundary == at && IsWholeCharacterMatchAt(bytes.substr(at), sought.Bytes(), matchCase);
}
