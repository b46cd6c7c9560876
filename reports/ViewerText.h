#pragma once
// The report viewer's text: one paragraph per report line, each paragraph break written
// before its line, so a view of lines A, B, C reads "\r\nA\r\nB\r\nC" and never starts with
// anything the viewer could take for markup.
#include "framework/CString.h"

// A report line as the viewer shows it: white space trimmed from both ends, then each
// inner tab widened to four spaces. A NUL byte, which the viewer cannot hold, becomes a space.
CString ViewerLine(const CString& reportLine);

// Appends "\r\n" and the shown form of the line.
void AppendReportLine(CString& viewerText, const CString& reportLine);

// Appends the empty paragraph that closes a section of the all-reports view.
void AppendSectionBreak(CString& viewerText);
