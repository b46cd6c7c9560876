#include "history/SameRun.h"

#include "reports/ReportFiles.h"

bool IsReportFile(const CString& name)
{
    for (const ReportFile& report : kRunFiles)
        if (name.CompareNoCase(report.name) == 0) return true;
    return false;
}

std::optional<std::vector<size_t>> PairedFiles(const std::vector<RunFile>& a, const std::vector<RunFile>& b)
{
    size_t reportsOfB = 0;
    for (const RunFile& file : b) reportsOfB += IsReportFile(file.name) ? 1 : 0;
    std::vector<size_t> pairs;
    for (const RunFile& file : a) {
        size_t match = 0;
        while (match < b.size() && file.name.CompareNoCase(b[match].name) != 0) ++match;
        if (match == b.size() || b[match].size != file.size) return std::nullopt;
        pairs.push_back(match);
    }
    if (pairs.size() != reportsOfB) return std::nullopt;
    return pairs;
}
