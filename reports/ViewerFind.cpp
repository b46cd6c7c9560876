// Find in the viewer: the system's Find dialog, one at a time, and F3 / Shift+F3 to repeat the
// last search forwards or backwards without it. Nothing found: the selection stays and the
// system's default sound says so. The viewer finds the text itself, and each match it offers
// must be made of whole characters of the report's GBK text.
#include "reports/ViewerFind.h"

#include <algorithm>

#include "reports/WholeCharacterMatch.h"
#include "res/resource.h"

namespace {
constexpr DWORD kSearchFlags = FR_DOWN | FR_MATCHCASE | FR_WHOLEWORD;
}  // namespace

BEGIN_MESSAGE_MAP(CViewerFind, CCmdTarget)
    ON_COMMAND(IDM_FIND, &CViewerFind::OnFind)
    ON_COMMAND(IDM_FIND_NEXT, &CViewerFind::OnFindNext)
    ON_COMMAND(IDM_FIND_PREVIOUS, &CViewerFind::OnFindPrevious)
    ON_REGISTERED_MESSAGE(CFindReplaceDialog::GetFindReplaceMsg(), &CViewerFind::OnFindReplace)
END_MESSAGE_MAP()

void CViewerFind::OnFind()
{
    if (m_dlgFind.m_hWnd) {
        ::SetActiveWindow(m_dlgFind.m_hWnd);
        return;
    }
    // A selection within one line is what the user most likely wants to find.
    CHARRANGE selection{};
    m_viewer.GetSel(selection);
    CString selected = m_viewer.GetTextRange(selection.cpMin, selection.cpMax);
    const bool oneLine = !selected.IsEmpty() && selected.Find('\r') < 0 && selected.Find('\n') < 0 &&
                         selected.Size() < CFindReplaceDialog::kFindWhatSize;
    m_dlgFind.Create(TRUE, oneLine ? selected : m_strSought, m_dwFindFlags, &m_owner);
}

LRESULT CViewerFind::OnFindReplace(WPARAM wParam, LPARAM lParam)
{
    (void)wParam, (void)lParam;
    m_dwFindFlags = m_dlgFind.m_fr.Flags & kSearchFlags;
    if (m_dlgFind.IsTerminating()) {
        m_dlgFind.m_hWnd = nullptr;
        return 0;
    }
    if (m_dlgFind.FindNext()) {
        m_strSought = m_dlgFind.GetFindString();
        FindAndShow(m_dwFindFlags);
    }
    return 0;
}

void CViewerFind::OnFindNext()
{
    if (m_strSought.IsEmpty()) OnFind();
    else FindAndShow(m_dwFindFlags | FR_DOWN);
}

void CViewerFind::OnFindPrevious()
{
    if (m_strSought.IsEmpty()) OnFind();
    else FindAndShow(m_dwFindFlags & ~FR_DOWN);
}

void CViewerFind::FindAndShow(DWORD flags)
{
    if (!FindInViewer(m_strSought, flags)) ::MessageBeep(MB_OK);
}

// Searches from the selection on in the direction the flags give, to the end of the text and
// then, wrapping around once, over the whole text. Selects the match found and brings it into
// view; FALSE, with the selection untouched, when there is none.
BOOL CViewerFind::FindInViewer(const CString& sought, DWORD flags) const
{
    if (sought.IsEmpty()) return FALSE;
    CHARRANGE selection{};
    m_viewer.GetSel(selection);
    const bool down = (flags & FR_DOWN) != 0;
    // The wrap-around pass covers only what the first one could not: matches that end past where
    // the first pass started (searching down) or begin before it (searching up). The sought
    // text has no more characters than bytes, so its byte size bounds that overlap. A range
    // searched backwards runs from its cpMin down to its cpMax.
    const long overlap = static_cast<long>(sought.Size()) - 1;
    const long length = m_viewer.GetTextLength();
    const CHARRANGE passes[] = {
        down ? CHARRANGE{selection.cpMax, -1} : CHARRANGE{selection.cpMin, 0},
        down ? CHARRANGE{0, std::min(length, selection.cpMax + overlap)} : CHARRANGE{length, std::max(0L, selection.cpMin - overlap)}};
    for (CHARRANGE range : passes) {
        for (;;) {
            FINDTEXTEXA find{range, sought.GetString(), {0, 0}};
            if (m_viewer.FindText(flags, &find) < 0) break;
            const CHARRANGE match = find.chrgText;
            const long lineStart = m_viewer.LineStartOf(match.cpMin);
            const CString line = m_viewer.GetTextRange(lineStart, match.cpMax);
            const CString found = m_viewer.GetTextRange(match.cpMin, match.cpMax);
            if (line.Size() >= found.Size() &&
                IsWholeCharacterMatch(line, line.Size() - found.Size(), sought, (flags & FR_MATCHCASE) != 0)) {
                m_viewer.SetSel(match.cpMin, match.cpMax);
                m_viewer.ScrollCaret();
                return TRUE;
            }
            // Not whole characters: search on past it.
            range.cpMin = down ? match.cpMin + 1 : match.cpMax - 1;
            if (range.cpMin < 0 || match.cpMax <= match.cpMin) break;
        }
    }
    return FALSE;
}
