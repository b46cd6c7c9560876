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

void AppendReportLine(CString& viewerText, const CString& reportLine)
{
    viewerText += "\r\n";
    viewerText += ViewerLine(reportLine);
}

void AppendSectionBreak(CString& viewerText) { viewerText += "\r\n"; }
