// The search in the report viewer: the viewer finds the text itself, and each match it offers
// must be made of whole characters of the report's GBK text.
#include <algorithm>

#include "reports/WholeCharacterMatch.h"
#include "ui/MardelloDlg.h"

// Searches from the selection on in the direction the flags give, to the end of the text and
// then, wrapping around once, over the whole text. Selects the match found and brings it into
// view; FALSE, with the selection untouched, when there is none.
BOOL CMardelloDlg::FindInViewer(const CString& sought, DWORD flags) const
{
    if (sought.IsEmpty()) return FALSE;
    CHARRANGE selection{};
    m_richReport.GetSel(selection);
    const bool down = (flags & FR_DOWN) != 0;
    // The wrap-around pass covers only what the first one could not: matches that end past where
    // the first pass started (searching down) or begin before it (searching up). The sought
    // text has no more characters than bytes, so its byte size bounds that overlap. A range
    // searched backwards runs from its cpMin down to its cpMax.
    const long overlap = static_cast<long>(sought.Size()) - 1;
    const long length = m_richReport.GetTextLength();
    const CHARRANGE passes[] = {
        down ? CHARRANGE{selection.cpMax, -1} : CHARRANGE{selection.cpMin, 0},
        down ? CHARRANGE{0, std::min(length, selection.cpMax + overlap)} : CHARRANGE{length, std::max(0L, selection.cpMin - overlap)}};
    for (CHARRANGE range : passes) {
        for (;;) {
            FINDTEXTEXA find{range, sought.GetString(), {0, 0}};
            if (m_richReport.FindText(flags, &find) < 0) break;
            const CHARRANGE match = find.chrgText;
            const long lineStart = m_richReport.LineStartOf(match.cpMin);
            const CString line = m_richReport.GetTextRange(lineStart, match.cpMax);
            const CString found = m_richReport.GetTextRange(match.cpMin, match.cpMax);
            if (line.Size() >= found.Size() &&
                IsWholeCharacterMatch(line, line.Size() - found.Size(), sought, (flags & FR_MATCHCASE) != 0)) {
                m_richReport.SetSel(match.cpMin, match.cpMax);
                m_richReport.ScrollCaret();
                return TRUE;
            }
            // Not whole characters: search on past it.
            range.cpMin = down ? match.cpMin + 1 : match.cpMax - 1;
            if (range.cpMin < 0 || match.cpMax <= match.cpMin) break;
        }
    }
    return FALSE;
}
