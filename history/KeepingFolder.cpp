#include "history/KeepingFolder.h"

#include <string>

namespace {

constexpr const char kPrefix[] = "~keeping ";
constexpr size_t kPrefixLength = sizeof kPrefix - 1;

// A process or thread id: 1 to 10 digits, at most 32 bits.
bool ParseId(const std::string& digits, unsigned long& id)
{
    if (digits.empty() || digits.size() > 10 || digits.find_first_not_of("0123456789") != std::string::npos) return false;
    const unsigned long long value = std::stoull(digits);
    if (value > 0xFFFFFFFFull) return false;
    id = static_cast<unsigned long>(value);
    return true;
}

}  // namespace

CString KeepingFolderName(const CString& computer, unsigned long processId)
{
    return CString(kPrefix) + computer + " " + std::to_string(processId).c_str();
}

bool ParseKeepingFolderName(const CString& name, CString& computer, unsigned long& processId)
{
    const std::string& bytes = name.Bytes();
    const size_t space = bytes.rfind(' ');
    if (bytes.compare(0, kPrefixLength, kPrefix) != 0 || space == std::string::npos || space < kPrefixLength + 1 ||
        !ParseId(bytes.substr(space + 1), processId))
        return false;
    computer = CString(bytes.substr(kPrefixLength, space - kPrefixLength));
    return true;
}

Leftover LeftoverOf(const CString& name, const CString& computer, long long ageSeconds, unsigned long& processId)
{
    CString writer;
    if (!ParseKeepingFolderName(name, writer, processId)) return Leftover::LeftAlone;
    if (writer.CompareNoCase(computer) == 0) return Leftover::OwnIfProcessGone;
    return ageSeconds >= kOtherComputersLeftoverSeconds ? Leftover::Removed : Leftover::LeftAlone;
}

bool ParseEarlierKeepingFolderName(const CString& name, unsigned long& threadId)
{
    const std::string& bytes = name.Bytes();
    return bytes.compare(0, kPrefixLength, kPrefix) == 0 && ParseId(bytes.substr(kPrefixLength), threadId);
}
