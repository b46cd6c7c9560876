#include "history/SameRun.h"

bool IsSameRun(const std::vector<RunFile>& a, const std::vector<RunFile>& b)
{
    if (a.size() != b.size()) return false;
    for (const RunFile& file : a) {
        bool matched = false;
        for (const RunFile& other : b)
            if (file.name.CompareNoCase(other.name) == 0) {
                matched = file.bytes == other.bytes;
                break;
            }
        if (!matched) return false;
    }
    return true;
}
