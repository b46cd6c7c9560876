// The trouble codes of any viewer text: each has the code's form, stands on a line of the text
// with its text after it on that line, has a system and a text of at most 256 bytes, and counts
// once per system.
#include <set>
#include <utility>

#include "dtc/TroubleCodes.h"
#include "tests/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string report = FuzzInput(data, size).Rest();
    const TroubleCodeList list = FindTroubleCodes(report);
    std::set<std::pair<std::string_view, uint16_t>> counted;
    for (const TroubleCode& code : list.codes) {
        const std::string form = TroubleCodeList::Code(code);
        const std::string_view system = list.System(code);
        FUZZ_CHECK(std::string("PCBU").find(form[0]) != std::string::npos && form[1] >= '0' && form[1] <= '3');
        FUZZ_CHECK(counted.insert({system, code.form}).second);
        FUZZ_CHECK(system.size() <= 256 && system.find_first_of("\r\n") == std::string_view::npos);
        const size_t at = report.rfind(form, code.textAt);
        FUZZ_CHECK(at != std::string::npos && report.find_first_of("\r\n", at) >= code.textAt + code.textSize);
        FUZZ_CHECK(code.textSize <= 256 && report.compare(code.textAt, code.textSize, list.Text(code)) == 0);
    }
    FUZZ_CHECK(list.codes.size() <= report.size() / 5);
    return 0;
}
