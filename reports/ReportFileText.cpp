#include "reports/ReportFileText.h"

#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "framework/AnsweredWork.h"
#include "framework/StdioFile.h"
#include "reports/ReportText.h"

namespace {

struct ReportBytes {
    ReportRead read = ReportRead::Missing;
    std::string bytes;
};

ReportBytes ReadReportBytes(const CString& path, WorkProgress* progress)
{
    ReportBytes report;
    CStdioFile file;
    if (!file.Open(path, CStdioFile::modeRead | CStdioFile::shareCompat | CStdioFile::typeText)) return report;
    try {
        report.read = file.ReadRest(report.bytes, progress) ? ReportRead::Whole : ReportRead::CutShort;
    } catch (const std::bad_alloc&) {
        report = {ReportRead::CutShort, std::string()};
    } catch (const std::length_error&) {  // longer than a string can be
        report = {ReportRead::CutShort, std::string()};
    }
    return report;
}

ReportRead AppendText(const ReportBytes& report, const EncodingOf& encodingOf, std::string& text)
{
    if (report.read == ReportRead::Missing) return report.read;
    try {
        text += ReportText(report.bytes, encodingOf(report.bytes));
        return report.read;
    } catch (const std::bad_alloc&) {
        return ReportRead::CutShort;
    } catch (const std::length_error&) {
        return ReportRead::CutShort;
    }
}

}  // namespace

// Only the file's bytes are read on the thread: the encoding is found and the text converted
// here, with what the caller owns.
ReportRead ReadReportText(const CString& path, const EncodingOf& encodingOf, std::string& text)
{
    try {
        const std::optional<ReportBytes> report = ResultWhileAnswered<ReportBytes>(
            [path](WorkProgress& progress) { return ReadReportBytes(path, &progress); });
        return report ? AppendText(*report, encodingOf, text) : ReportRead::NoAnswer;
    } catch (const std::bad_alloc&) {
        return ReportRead::CutShort;
    }
}

ReportRead ReadReportTextHere(const CString& path, const EncodingOf& encodingOf, std::string& text)
{
    return AppendText(ReadReportBytes(path, nullptr), encodingOf, text);
}
