// The trouble codes of any report: each has the code's form, stands at the start of a whole
// character of its line with its text the rest of that line, and counts once per system; the
// comparison of any two reports puts every code in exactly one group.
#include <set>
#include <utility>

#include "dtc/BeforeAndAfter.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

bool IsLineEnd(char byte) { return byte == '\r' || byte == '\n'; }

// `code` with `text` as the rest of its line stands at a character boundary somewhere in `report`.
bool StandsInReport(const std::string& report, const TroubleCode& code)
{
    for (size_t lineStart = 0; lineStart < report.size();) {
        size_t at = lineStart;
        while (at < report.size() && !IsLineEnd(report[at])) {
            if (report.compare(at, 5, code.code.Bytes()) == 0) {
                size_t end = at + 5;
                while (end < report.size() && !IsLineEnd(report[end])) ++end;
                CString rest(report.substr(at + 5, end - at - 5));
                if (rest.Trim() == code.text) return true;
            }
            at += IsGbkLeadByte(report[at]) ? 2 : 1;
        }
        lineStart = at + 1;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const uint8_t splitByte = input.Byte();
    const std::string report = input.Rest();
    const size_t split = splitByte % (report.size() + 1);
    const std::vector<TroubleCode> codes = FindTroubleCodes(CString(report));
    std::set<std::pair<std::string, std::string>> counted;
    for (const TroubleCode& code : codes) {
        const std::string& form = code.code.Bytes();
        FUZZ_CHECK(form.size() == 5 && std::string("PCBU").find(form[0]) != std::string::npos && form[1] >= '0' &&
                   form[1] <= '3');
        FUZZ_CHECK(counted.insert({code.system.Bytes(), form}).second);
        FUZZ_CHECK(code.system.Bytes().find_first_of("\r\n") == std::string::npos);
        FUZZ_CHECK(StandsInReport(report, code));
    }

    const RunCodes before{"before", true, FindTroubleCodes(CString(report.substr(0, split)))};
    const RunCodes after{"after", true, FindTroubleCodes(CString(report.substr(split)))};
    const CodeChanges changes = CompareCodes(before.codes, after.codes);
    FUZZ_CHECK(changes.cleared.size() + changes.stillPresent.size() == before.codes.size());
    FUZZ_CHECK(changes.stillPresent.size() + changes.added.size() == after.codes.size());
    FUZZ_CHECK(BeforeAndAfterView("VIN", before, after).Bytes().find('\0') == std::string::npos);
    return 0;
}
