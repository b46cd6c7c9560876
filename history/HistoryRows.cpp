#include "history/HistoryRows.h"

#include <algorithm>
#include <set>

int CodeCount(const CString& codes)
{
    int count = 0;
    const std::string text = codes.Bytes();
    for (size_t i = 0; i < text.size(); ++i)
        count += text[i] != ' ' && (i == 0 || text[i - 1] == ' ');
    return count;
}

int RowAfterDeleting(int rows, const std::vector<int>& deleted)
{
    const std::set<int> gone(deleted.begin(), deleted.end());
    const int left = rows - static_cast<int>(gone.size());
    if (left <= 0) return -1;
    if (gone.empty()) return 0;
    // Every row deleted lies at or before the last: the row after it moves up by all of them.
    return std::min(*gone.rbegin() + 1 - static_cast<int>(gone.size()), left - 1);
}
