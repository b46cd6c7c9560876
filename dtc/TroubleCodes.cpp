#include "dtc/TroubleCodes.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

#include "reports/ReportEncoding.h"

namespace {

constexpr size_t kCodeLength = 5;
constexpr size_t kLongestText = 256;
constexpr const char* kLetters = "PCBU";

bool IsWordByte(unsigned char byte)
{
    return (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || byte == '_';
}

bool IsUpperHex(char ch) { return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F'); }

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || (ch >= '\n' && ch <= '\r'); }

// The bytes of the character at `at`; a byte that starts none counts as one.
size_t CharacterLength(std::string_view text, size_t at)
{
    const size_t length = Utf8SequenceLength(text, at);
    return length ? length : 1;
}

// The five bytes at `at` have the code's form; where the code stands is checked by the caller.
bool HasCodeForm(std::string_view line, size_t at)
{
    if (line.size() - at < kCodeLength) return false;
    return line[at] != '\0' && std::strchr(kLetters, line[at]) && line[at + 1] >= '0' && line[at + 1] <= '3' &&
           IsUpperHex(line[at + 2]) && IsUpperHex(line[at + 3]) && IsUpperHex(line[at + 4]);
}

// Trimmed at both ends, the start of text[from, to) in whole characters, at most kLongestText bytes.
std::pair<size_t, size_t> CappedTrimmed(std::string_view text, size_t from, size_t to)
{
    while (from < to && IsBlank(text[from])) ++from;
    size_t end = from;
    while (end < to) {
        const size_t next = std::min(end + CharacterLength(text, end), to);
        if (next - from > kLongestText) break;
        end = next;
    }
    while (end > from && IsBlank(text[end - 1])) --end;
    return {from, end - from};
}

// The code's five characters packed in 16 bits.
uint16_t Form(std::string_view code)
{
    const auto hex = [](char ch) { return static_cast<unsigned>(ch <= '9' ? ch - '0' : ch - 'A' + 10); };
    const auto letter = static_cast<unsigned>(std::strchr(kLetters, code[0]) - kLetters);
    return static_cast<uint16_t>(letter << 14 | hex(code[1]) << 12 | hex(code[2]) << 8 | hex(code[3]) << 4 | hex(code[4]));
}

// Where the system a line names starts, or npos. A full-width colon counts as a colon.
size_t SystemNameAt(std::string_view line)
{
    for (const std::string_view label : {"\xE7\xB3\xBB\xE7\xBB\x9F", "System", "Module"}) {
        if (line.substr(0, label.size()) != label) continue;
        size_t at = label.size();
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
        if (line.substr(at, 1) == ":") return at + 1;
        if (line.substr(at, 3) == "\xEF\xBC\x9A") return at + 3;
    }
    return std::string_view::npos;
}

}  // namespace

std::string TroubleCodeList::Code(const TroubleCode& code)
{
    constexpr const char* kHex = "0123456789ABCDEF";
    return {kLetters[code.form >> 14], kHex[code.form >> 12 & 3], kHex[code.form >> 8 & 15], kHex[code.form >> 4 & 15],
            kHex[code.form & 15]};
}

std::string_view TroubleCodeList::SystemNamed(size_t system) const
{
    return std::string_view(m_report).substr(m_systems[system].at, m_systems[system].size);
}

std::string_view TroubleCodeList::System(const TroubleCode& code) const { return SystemNamed(code.system); }

std::string_view TroubleCodeList::Text(const TroubleCode& code) const
{
    return std::string_view(m_report).substr(code.textAt, code.textSize);
}

// Three passes, each in step with the report: the codes with the system line they stand under,
// one number for each system name however often named, and each code once per system.
TroubleCodeList FindTroubleCodes(std::string viewerText)
{
    TroubleCodeList list;
    list.m_report = std::move(viewerText);
    const std::string_view report(list.m_report);
    using Span = TroubleCodeList::Span;
    std::vector<Span> named{{0, 0}};  // the system lines that have codes under them
    Span system{0, 0};
    bool systemNamed = false;  // `system` is in `named`
    for (size_t start = 0; start <= report.size();) {
        size_t end = report.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = report.size();
        while (start < end && (report[start] == ' ' || report[start] == '\t')) ++start;
        const std::string_view line = report.substr(start, end - start);
        const size_t nameAt = SystemNameAt(line);
        if (nameAt != std::string_view::npos) {
            const auto [at, size] = CappedTrimmed(report, start + nameAt, end);
            system = {static_cast<uint32_t>(at), static_cast<uint32_t>(size)};
            systemNamed = false;
        } else {
            bool afterWordByte = false;
            // A code's text ends where the next code on its line starts, or with the line.
            size_t open = SIZE_MAX;
            const auto endText = [&](size_t textEnd) {
                if (open == SIZE_MAX) return;
                const auto [textAt, textSize] = CappedTrimmed(report, list.codes[open].textAt, textEnd);
                list.codes[open].textAt = static_cast<uint32_t>(textAt);
                list.codes[open].textSize = static_cast<uint16_t>(textSize);
            };
            for (size_t at = 0; at < line.size();) {
                const auto byte = static_cast<unsigned char>(line[at]);
                if (byte >= 0x80) {
                    at += CharacterLength(line, at);
                    afterWordByte = false;
                    continue;
                }
                const size_t codeEnd = at + kCodeLength;
                if (!afterWordByte && HasCodeForm(line, at) && (codeEnd == line.size() || !IsWordByte(line[codeEnd]))) {
                    endText(start + at);
                    if (!systemNamed && system.size > 0) named.push_back(system);
                    systemNamed = true;
                    open = list.codes.size();
                    list.codes.push_back({system.size > 0 ? static_cast<uint32_t>(named.size() - 1) : 0,
                                          static_cast<uint32_t>(start + codeEnd), 0, Form(line.substr(at, kCodeLength))});
                    at = codeEnd;
                    afterWordByte = true;
                    continue;
                }
                afterWordByte = IsWordByte(byte);
                ++at;
            }
            endText(end);
        }
        start = end + 1;
    }

    // One number per name, in the order first named.
    const auto nameOf = [&](uint32_t i) { return report.substr(named[i].at, named[i].size); };
    std::vector<uint32_t> byName(named.size());
    for (uint32_t i = 0; i < byName.size(); ++i) byName[i] = i;
    std::sort(byName.begin(), byName.end(), [&](uint32_t a, uint32_t b) {
        const int order = nameOf(a).compare(nameOf(b));
        return order != 0 ? order < 0 : a < b;
    });
    std::vector<uint32_t> firstNamed(named.size());
    for (size_t i = 0; i < byName.size(); ++i)
        firstNamed[byName[i]] = i > 0 && nameOf(byName[i]) == nameOf(byName[i - 1]) ? firstNamed[byName[i - 1]] : byName[i];
    std::vector<uint32_t> number(named.size());
    for (uint32_t i = 0; i < named.size(); ++i) {
        if (firstNamed[i] == i) {
            number[i] = static_cast<uint32_t>(list.m_systems.size());
            list.m_systems.push_back(named[i]);
        } else {
            number[i] = number[firstNamed[i]];
        }
    }
    for (TroubleCode& code : list.codes) code.system = number[code.system];

    // Each code once per system: the first of equal keys stays.
    std::vector<std::pair<uint64_t, uint32_t>> keys(list.codes.size());
    for (uint32_t i = 0; i < keys.size(); ++i)
        keys[i] = {uint64_t{list.codes[i].system} << 16 | list.codes[i].form, i};
    std::sort(keys.begin(), keys.end());
    std::vector<bool> again(list.codes.size());
    for (size_t i = 1; i < keys.size(); ++i) again[keys[i].second] = keys[i].first == keys[i - 1].first;
    keys = {};
    size_t kept = 0;
    for (size_t i = 0; i < list.codes.size(); ++i)
        if (!again[i]) list.codes[kept++] = list.codes[i];
    list.codes.resize(kept);
    list.codes.shrink_to_fit();
    return list;
}

CString CodeList(const TroubleCodeList& found)
{
    std::vector<bool> listed(1 << 16);
    CString list;
    for (const TroubleCode& code : found.codes) {
        if (listed[code.form]) continue;
        listed[code.form] = true;
        list += (" " + TroubleCodeList::Code(code)).c_str();
    }
    return list;
}
