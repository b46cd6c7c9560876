#include "reports/WholeCharacterMatch.h"

namespace {

// The position of the character after the one that starts at `at`.
size_t NextCharacter(const std::string& bytes, size_t at)
{
    return IsLeadByte(static_cast<unsigned char>(bytes[at])) && at + 1 < bytes.size() ? at + 2 : at + 1;
}

}  // namespace

bool IsWholeCharacterMatch(const CString& text, size_t at, const CString& sought, bool matchCase)
{
    const std::string& bytes = text.Bytes();
    if (sought.IsEmpty() || at > bytes.size() || bytes.size() - at < sought.Size()) return false;
    size_t boundary = 0;
    while (boundary < at) boundary = NextCharacter(bytes, boundary);
    if (boundary != at) return false;
    const size_t end = at + sought.Size();
    while (boundary < end) boundary = NextCharacter(bytes, boundary);
    if (boundary != end) return false;
    const CString found(bytes.data() + at, sought.Size());
    return matchCase ? found == sought : found.CompareNoCase(sought) == 0;
}
