// Find in the viewer: the system's Find dialog, one at a time, and F3 / Shift+F3 to repeat the
// last search forwards or backwards without it. Nothing found: the selection stays and the
// system's default sound says so. A match is made of whole characters of the report's GBK text.
#include "reports/ViewerFind.h"

#include <cwctype>

#include "reports/ViewerSearch.h"
#include "res/resource.h"

namespace {

constexpr DWORD kSearchFlags = FR_DOWN | FR_MATCHCASE | FR_WHOLEWORD;

// A whole word has no letter or digit beside it, as the viewer's own search judges them.
bool IsLetterOrDigit(std::string_view character)
{
    wchar_t wide = 0;
    return ::MultiByteToWideChar(CP_ACP, 0, character.data(), static_cast<int>(character.size()), &wide, 1) == 1 &&
           std::iswalnum(wide);
}

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

// The viewer's text is read once and searched in its bytes: asking the viewer to find, step by
// step, costs a round of messages per match it offers. Selects the match found and brings it
// into view; FALSE, with the selection untouched, when there is none.
BOOL CViewerFind::FindInViewer(const CString& sought, DWORD flags) const
{
    if (sought.IsEmpty()) return FALSE;
    CHARRANGE selection{};
    m_viewer.GetSel(selection);
    const CString text = m_viewer.GetTextRange(0, m_viewer.GetTextLength());
    const ViewerSearch search{(flags & FR_DOWN) != 0, (flags & FR_MATCHCASE) != 0, (flags & FR_WHOLEWORD) != 0};
    const auto match = FindInViewerText(text.Bytes(), selection.cpMin, selection.cpMax, sought, search, IsLetterOrDigit);
    if (!match) return FALSE;
    m_viewer.SetSel(match->first, match->second);
    m_viewer.ScrollCaret();
    return TRUE;
}
