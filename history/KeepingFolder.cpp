#include "history/KeepingFolder.h"

#include <string>

namespace {
constexpr const char kPrefix[] = "~keeping ";
}  // namespace

CString KeepingFolderName(const CString& computer, unsigned long processId)
{
    return CString(kPrefix) + computer + " " + std::to_string(processId).c_str();
}

bool ParseKeepingFolderName(const CString& name, CString& computer, unsigned long& processId)
{
    const std::string& bytes = name.Bytes();
    const size_t prefixLength = sizeof kPrefix - 1;
    const size_t space = bytes.rfind(' ');
    if (bytes.compare(0, prefixLength, kPrefix) != 0 || space == std::string::npos || space < prefixLength + 1) return false;
    const std::string digits = bytes.substr(space + 1);
    if (digits.empty() || digits.size() > 10 || digits.find_first_not_of("0123456789") != std::string::npos) return false;
    const unsigned long long id = std::stoull(digits);
    if (id > 0xFFFFFFFFull) return false;
    computer = CString(bytes.substr(prefixLength, space - prefixLength));
    processId = static_cast<unsigned long>(id);
    return true;
}
