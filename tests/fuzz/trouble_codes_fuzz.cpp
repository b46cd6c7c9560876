// The trouble codes of any report: each has the code's form, stands at the start of a whole
// character with its text the start of the rest of that line, and counts once per system; the comparison of
// any two reports puts every code in one group.
#include <algorithm>
#include <set>
#include <utility>

#include "dtc/BeforeAndAfter.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

// `code` followed by its text, at a character boundary of a line of `report`.
bool StandsInReport(const std::string& report, const TroubleCode& code)
{
    for (size_t at = 0; at < report.size(); at += IsGbkLeadByte(report[at]) ? 2 : 1) {
        const size_t end = std::min(report.find_first_of("\r\n", at), report.size());
        CString rest(end > at + 5 ? report.substr(at + 5, end - at - 5) : std::string());
        if (report.compare(at, 5, code.code.Bytes()) == 0 && rest.TrimLeft().Bytes().rfind(code.text.Bytes(), 0) == 0 &&
            code.text.Size() <= 256)
            return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const uint8_t splitByte = input.Byte();
    const std::string report = input.Rest();
    std::set<std::pair<std::string, std::string>> counted;
    for (const TroubleCode& code : FindTroubleCodes(CString(report))) {
        const std::string& form = code.code.Bytes();
        FUZZ_CHECK(form.size() == 5 && std::string("PCBU").find(form[0]) != std::string::npos && form[1] <= '3');
        FUZZ_CHECK(counted.insert({code.system.Bytes(), form}).second);
        FUZZ_CHECK(code.system.Bytes().find_first_of("\r\n") == std::string::npos && StandsInReport(report, code));
    }
    const size_t split = splitByte % (report.size() + 1);
    const RunCodes before{"before", true, FindTroubleCodes(CString(report.substr(0, split)))};
    const RunCodes after{"after", true, FindTroubleCodes(CString(report.substr(split)))};
    const CodeChanges changes = CompareCodes(before.codes, after.codes);
    FUZZ_CHECK(changes.cleared.size() + changes.stillPresent.size() == before.codes.size());
    FUZZ_CHECK(changes.stillPresent.size() + changes.added.size() == after.codes.size());
    FUZZ_CHECK(BeforeAndAfterView("VIN", before, after).Bytes().find('\0') == std::string::npos);
    return 0;
}
