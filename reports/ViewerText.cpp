#include "reports/ViewerText.h"

#include <string>

namespace {

// As CString::Trim has it; a NUL becomes a space first, so it is trimmed as one.
bool IsShownAsSpace(char byte) { return byte == '\0' || byte == ' ' || (byte >= '\t' && byte <= '\r'); }

}  // namespace

// Trimming comes first, so tabs at either end vanish instead of turning into spaces.
void AppendShownLine(std::string& viewerText, std::string_view reportLine)
{
    size_t from = 0, to = reportLine.size();
    while (from < to && IsShownAsSpace(reportLine[from])) ++from;
    while (to > from && IsShownAsSpace(reportLine[to - 1])) --to;
    for (size_t at = from; at < to; ++at) {
        const char byte = reportLine[at];
        if (byte == '\t') viewerText += "    ";
        else viewerText += byte == '\0' ? ' ' : byte;
    }
}

CString ViewerLine(const CString& reportLine)
{
    std::string shown;
    AppendShownLine(shown, reportLine.Bytes());
    return CString(std::move(shown));
}

CString ShownViewerText(const CString& viewerText)
{
    const std::string& text = viewerText.Bytes();
    return text.compare(0, 2, "\r\n") == 0 ? CString(text.substr(2)) : viewerText;
}

bool StartsAsMarkup(const CString& text)
{
    return text.Bytes().compare(0, 5, "{\\rtf") == 0 || text.Bytes().compare(0, 6, "{\\urtf") == 0;
}

void AppendReportLine(CString& viewerText, const CString& reportLine)
{
    viewerText += "\r\n";
    viewerText += ViewerLine(reportLine);
}

void AppendSectionBreak(CString& viewerText) { viewerText += "\r\n"; }

CString ViewOfReports(int count, bool sectionBreaks, const std::function<ReportRead(int, CString&)>& read)
{
    CString text;
    for (int file = 0; file < count; ++file) {
        const ReportRead result = read(file, text);
        if (result == ReportRead::CutShort || result == ReportRead::NoAnswer) break;
        if (result == ReportRead::Whole && sectionBreaks) AppendSectionBreak(text);
    }
    return text;
}

size_t ViewerPieceEnd(const CString& viewerText, size_t from, size_t sizeHint)
{
    const std::string& text = viewerText.Bytes();
    if (from >= text.size() || sizeHint >= text.size() - from) return text.size();
    // A piece's own leading break does not end it.
    for (size_t at = from + (sizeHint > 0 ? sizeHint : 1);;) {
        const size_t end = text.find("\r\n", at);
        if (end == std::string::npos) return text.size();
        const size_t lineStart = text.rfind("\r\n", end - 1) + 2;
        if (end - lineStart <= sizeHint) return end;
        at = end + 2;
    }
}
