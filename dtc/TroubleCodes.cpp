#include "dtc/TroubleCodes.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <utility>

namespace {

constexpr size_t kCodeLength = 5;
constexpr size_t kLongestText = 256;

bool IsWordByte(unsigned char byte)
{
    return (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || byte == '_';
}

bool IsUpperHex(char ch) { return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F'); }

// The five bytes at `at` have the code's form; where the code stands is checked by the caller.
bool HasCodeForm(const std::string& line, size_t at)
{
    if (line.size() - at < kCodeLength) return false;
    return line[at] != '\0' && std::strchr("PCBU", line[at]) && line[at + 1] >= '0' && line[at + 1] <= '3' &&
           IsUpperHex(line[at + 2]) && IsUpperHex(line[at + 3]) && IsUpperHex(line[at + 4]);
}

// The system a line names, or false. "系统" is GBK; a full-width colon counts as a colon.
bool NamesSystem(const std::string& line, CString& system)
{
    for (const char* label : {"\xCF\xB5\xCD\xB3", "System", "Module"}) {
        const size_t length = std::strlen(label);
        if (line.compare(0, length, label) != 0) continue;
        const size_t colon = line.find_first_not_of(" \t", length);
        std::string rest = colon == std::string::npos ? std::string() : line.substr(colon);
        if (rest.compare(0, 1, ":") == 0) rest.erase(0, 1);
        else if (rest.compare(0, 2, "\xA3\xBA") == 0) rest.erase(0, 2);
        else continue;
        system = CString(rest);
        system.Trim();
        return true;
    }
    return false;
}

// How much of the rest of the line from `from` is the code's text: all of it, or, on a line
// no report has, its first kLongestText bytes in whole characters.
size_t TextLength(const std::string& line, size_t from)
{
    size_t end = from;
    while (end < line.size()) {
        const size_t next = std::min(end + (IsLeadByte(static_cast<unsigned char>(line[end])) ? 2 : 1), line.size());
        if (next - from > kLongestText) break;
        end = next;
    }
    return end - from;
}

// Each code once per system.
using Counted = std::set<std::pair<std::string, std::string>>;

void FindInLine(const std::string& line, const CString& system, std::vector<TroubleCode>& codes, Counted& counted)
{
    bool afterWordByte = false;
    for (size_t at = 0; at < line.size();) {
        const auto byte = static_cast<unsigned char>(line[at]);
        if (IsLeadByte(byte)) {
            at += 2;  // a whole character, which parts words as a space does
            afterWordByte = false;
            continue;
        }
        const size_t end = at + kCodeLength;
        if (!afterWordByte && HasCodeForm(line, at) && (end == line.size() || !IsWordByte(line[end])) &&
            counted.insert({system.Bytes(), line.substr(at, kCodeLength)}).second) {
            CString text(line.substr(end, TextLength(line, end)));
            codes.push_back({system, CString(line.substr(at, kCodeLength)), text.Trim()});
        }
        afterWordByte = IsWordByte(byte);
        ++at;
    }
}

}  // namespace

std::vector<TroubleCode> FindTroubleCodes(const CString& report)
{
    std::vector<TroubleCode> codes;
    Counted counted;
    CString system;
    const std::string& bytes = report.Bytes();
    for (size_t start = 0; start <= bytes.size();) {
        size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        const size_t indent = line.find_first_not_of(" \t");
        line.erase(0, indent == std::string::npos ? line.size() : indent);
        if (!NamesSystem(line, system)) FindInLine(line, system, codes, counted);
        start = end + 1;
    }
    return codes;
}

CString CodeList(const std::vector<TroubleCode>& codes)
{
    std::set<std::string> listed;
    CString list;
    for (const TroubleCode& code : codes)
        if (listed.insert(code.code.Bytes()).second) list += " " + code.code;
    return list;
}
