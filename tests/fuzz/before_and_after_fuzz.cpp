// Two runs' codes compared, from any two viewer texts: every code of either run lands in exactly
// one group, swapping the runs swaps Cleared and New, and the view grows in step with the reports.
#include <algorithm>
#include <utility>

#include "dtc/BeforeAndAfter.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

// Each of `count` codes once, across the groups given.
bool EachOnce(size_t count, const std::vector<uint32_t>& one, const std::vector<uint32_t>& other)
{
    std::vector<int> seen(count);
    for (const uint32_t i : one) ++seen[i];
    for (const uint32_t i : other) ++seen[i];
    return std::all_of(seen.begin(), seen.end(), [](int times) { return times == 1; });
}

std::vector<std::pair<uint32_t, uint32_t>> Sorted(std::vector<std::pair<uint32_t, uint32_t>> pairs, bool swapped)
{
    if (swapped)
        for (auto& pair : pairs) std::swap(pair.first, pair.second);
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const uint8_t splitByte = input.Byte();
    const std::string reports = input.Rest();
    const size_t split = splitByte * reports.size() / 255;
    const RunCodes before{"before", ReportRead::Whole, FindTroubleCodes(reports.substr(0, split))};
    const RunCodes after{"after", ReportRead::Whole, FindTroubleCodes(reports.substr(split))};

    const CodeChanges changes = CompareCodes(before.codes, after.codes);
    std::vector<uint32_t> stillBefore, stillAfter;
    for (const auto& [b, a] : changes.stillPresent) stillBefore.push_back(b), stillAfter.push_back(a);
    FUZZ_CHECK(EachOnce(before.codes.codes.size(), changes.cleared, stillBefore));
    FUZZ_CHECK(EachOnce(after.codes.codes.size(), changes.added, stillAfter));

    const CodeChanges swapped = CompareCodes(after.codes, before.codes);
    FUZZ_CHECK(swapped.cleared == changes.added && swapped.added == changes.cleared);
    FUZZ_CHECK(Sorted(swapped.stillPresent, true) == Sorted(changes.stillPresent, false));

    const std::string view = BeforeAndAfterView("VIN", before, after).Bytes();
    FUZZ_CHECK(view.size() <= 1024 + 16 * reports.size() && view.find('\0') == std::string::npos);
    const std::string alone = BeforeAndAfterView("VIN", before, {"after", ReportRead::Missing, {}}).Bytes();
    FUZZ_CHECK(alone.find("\r\nCleared / ") == std::string::npos && alone.size() <= 1024 + 16 * reports.size());
    return 0;
}
