#pragma once
// The report viewer's text: one paragraph per report line, each paragraph break written
// before its line, so a view of lines A, B, C reads "\r\nA\r\nB\r\nC" and never starts with
// anything the viewer could take for markup.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "framework/CString.h"

// A report line as the viewer shows it: white space trimmed from both ends, then each
// inner tab widened to four spaces. A NUL byte, which the viewer cannot hold, becomes a space.
CString ViewerLine(const CString& reportLine);
// Appends the shown form of the line, without a paragraph break.
void AppendShownLine(std::string& viewerText, std::string_view reportLine);

// The text a view puts into the viewer: without the break written before its first line, which
// would show as an empty first line.
CString ShownViewerText(const CString& viewerText);

// Whether a text starts as the viewer would take for RTF markup, "{\rtf" or "{\urtf".
bool StartsAsMarkup(const CString& text);

// Appends "\r\n" and the shown form of the line.
void AppendReportLine(CString& viewerText, const CString& reportLine);

// Appends the empty paragraph that closes a section of the all-reports view.
void AppendSectionBreak(CString& viewerText);

// Where the piece of the viewer text that starts at `from` ends, when the text goes into the
// viewer piece by piece: before the first paragraph break at or after from + sizeHint that
// follows a line of at most sizeHint bytes, or at the text's end. A piece holds whole
// paragraphs, so no CR LF and no double-byte character is ever cut in two, and the pieces put
// in one after the other give the same text. It never ends right after a longer line: the
// viewer would lay that line out again when the next piece's break is appended to it.
size_t ViewerPieceEnd(const CString& viewerText, size_t from, size_t sizeHint);

// How the reading of one report file for a view went. NoAnswer: its folder (a share) stopped
// answering; nothing of it was read.
enum class ReportRead { Missing, Whole, CutShort, NoAnswer };

// The viewer text of a view of `count` report files, each read by `read(file, text)`, which
// appends the file's lines. A missing file adds nothing; in the all-reports view each file that
// opened is followed by a section break; a file that stopped part-way (the device pulled out)
// ends the view with what was read, and a folder that does not answer ends it too.
CString ViewOfReports(int count, bool sectionBreaks, const std::function<ReportRead(int, CString&)>& read);
