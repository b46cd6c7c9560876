#include "history/DeletedRuns.h"

#include <algorithm>
#include <cstdio>

#include "history/SameRun.h"

void ReportHash::Add(const char* bytes, size_t count)
{
    for (size_t i = 0; i < count; ++i) m_hash = (m_hash ^ static_cast<unsigned char>(bytes[i])) * 1099511628211ull;
}

std::string DeletedRunLine(const std::vector<ReportPrint>& run)
{
    std::vector<std::string> entries;
    for (const ReportPrint& report : run) {
        if (!IsReportFile(report.name)) continue;
        std::string name = report.name.Bytes();
        for (char& ch : name)
            if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
        char numbers[48];
        std::snprintf(numbers, sizeof numbers, " %llu %016llX", report.size, static_cast<unsigned long long>(report.hash));
        entries.push_back(name + numbers);
    }
    std::sort(entries.begin(), entries.end());
    std::string line;
    for (const std::string& entry : entries) line += (line.empty() ? "" : "; ") + entry;
    return line;
}

bool WasDeleted(const std::vector<ReportPrint>& run, const std::string& note)
{
    const std::string line = DeletedRunLine(run);
    if (line.empty()) return false;
    for (size_t start = 0; start < note.size();) {
        size_t end = note.find('\n', start);
        if (end == std::string::npos) end = note.size();
        size_t length = end - start;
        if (length > 0 && note[start + length - 1] == '\r') --length;
        if (note.compare(start, length, line) == 0) return true;
        start = end + 1;
    }
    return false;
}
