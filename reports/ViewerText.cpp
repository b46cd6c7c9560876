#include "reports/ViewerText.h"

#include <string>

CString ViewerLine(const CString& reportLine)
{
    std::string bytes = reportLine.Bytes();
    for (char& byte : bytes) {
        if (byte == '\0') byte = ' ';
    }
    CString shown(std::move(bytes));
    // Trimming comes first, so tabs at either end vanish instead of turning into spaces.
    shown.Trim();
    shown.Replace("\t", "    ");
    return shown;
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
        if (result == ReportRead::CutShort) break;
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
