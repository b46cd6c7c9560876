#include "history/SameRun.h"

std::optional<std::vector<size_t>> PairedFiles(const std::vector<RunFile>& a, const std::vector<RunFile>& b)
{
    if (a.size() != b.size()) return std::nullopt;
    std::vector<size_t> pairs;
    for (const RunFile& file : a) {
        size_t match = 0;
        while (match < b.size() && file.name.CompareNoCase(b[match].name) != 0) ++match;
        if (match == b.size() || b[match].size != file.size) return std::nullopt;
        pairs.push_back(match);
    }
    return pairs;
}
