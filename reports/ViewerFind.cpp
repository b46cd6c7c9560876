// Find in the viewer: the system's Find dialog, one at a time, and F3 / Shift+F3 to repeat the
// last search forwards or backwards without it. Nothing found: the selection stays and the
// system's default sound says so. The text is searched in characters, whatever code page it came in.
#include "reports/ViewerFind.h"

#include <algorithm>
#include <cwctype>
#include <vector>

#include "reports/ViewerSearch.h"
#include "res/resource.h"

namespace {

constexpr DWORD kSearchFlags = FR_DOWN | FR_MATCHCASE | FR_WHOLEWORD;

// A whole word has no letter or digit beside it, as the viewer's own search judges them.
bool IsLetterOrDigit(wchar_t character) { return std::iswalnum(character) != 0; }

// The system's upper case of every character, asked once.
const wchar_t* UpperCase()
{
    static const std::vector<wchar_t> upper = [] {
        std::vector<wchar_t> all(0x10000);
        for (size_t i = 0; i < all.size(); ++i) all[i] = static_cast<wchar_t>(i);
        ::CharUpperBuffW(all.data(), static_cast<DWORD>(all.size()));
        return all;
    }();
    return upper.data();
}

}  // namespace

BEGIN_MESSAGE_MAP(CViewerFind, CCmdTarget)
    ON_COMMAND(IDM_FIND, &CViewerFind::OnFind)
    ON_COMMAND(IDM_FIND_NEXT, &CViewerFind::OnFindNext)
    ON_COMMAND(IDM_FIND_PREVIOUS, &CViewerFind::OnFindPrevious)
    ON_REGISTERED_MESSAGE(CFindReplaceDialog::GetFindReplaceMsg(), &CViewerFind::OnFindReplace)
    ON_EN_CHANGE(IDC_RICHEDIT_REPORT, &CViewerFind::OnViewerChange)
END_MESSAGE_MAP()

void CViewerFind::OnFind()
{
    if (m_dialog.m_hWnd) {
        ::SetActiveWindow(m_dialog.m_hWnd);
        return;
    }
    // A selection within one line is what the user most likely wants to find.
    CHARRANGE selection{};
    m_viewer.GetSel(selection);
    const std::wstring& text = ViewerText();
    const size_t first = std::min<size_t>(std::max(0L, selection.cpMin), text.size());
    const size_t last = std::min<size_t>(std::max(selection.cpMin, selection.cpMax), text.size());
    const std::wstring selected = text.substr(first, last - first);
    const bool oneLine = !selected.empty() && selected.find_first_of(L"\r\n") == std::wstring::npos &&
                         selected.size() < CFindReplaceDialog::kFindWhatSize;
    m_dialog.Create(TRUE, oneLine ? selected : m_sought, m_flags, &m_owner);
}

LRESULT CViewerFind::OnFindReplace(WPARAM wParam, LPARAM lParam)
{
    (void)wParam, (void)lParam;
    m_flags = m_dialog.m_fr.Flags & kSearchFlags;
    if (m_dialog.IsTerminating()) {
        m_dialog.m_hWnd = nullptr;
        return 0;
    }
    if (m_dialog.FindNext()) {
        m_sought = m_dialog.GetFindString();
        FindAndShow(m_flags);
    }
    return 0;
}

void CViewerFind::OnFindNext()
{
    if (m_sought.empty()) OnFind();
    else FindAndShow(m_flags | FR_DOWN);
}

void CViewerFind::OnFindPrevious()
{
    if (m_sought.empty()) OnFind();
    else FindAndShow(m_flags & ~FR_DOWN);
}

void CViewerFind::FindAndShow(DWORD flags)
{
    if (!FindInViewer(m_sought, flags)) ::MessageBeep(MB_OK);
}

// Filled, edited or emptied: the text kept is no longer the viewer's. A control swapped for a new
// one is seen by its handle.
void CViewerFind::OnViewerChange() { m_textOf = nullptr; }

const std::wstring& CViewerFind::ViewerText()
{
    if (m_textOf != m_viewer.m_hWnd) {
        m_viewerText = m_viewer.GetUnicodeText();
        m_textOf = m_viewer.m_hWnd;
    }
    return m_viewerText;
}

// The viewer's text is searched in one pass: asking the viewer to find, step by step, costs a
// round of messages per match it offers. Selects the match found and brings it into view;
// FALSE, with the selection untouched, when there is none.
BOOL CViewerFind::FindInViewer(const std::wstring& sought, DWORD flags)
{
    if (sought.empty()) return FALSE;
    CHARRANGE selection{};
    m_viewer.GetSel(selection);
    const ViewerSearch search{(flags & FR_DOWN) != 0, (flags & FR_MATCHCASE) != 0, (flags & FR_WHOLEWORD) != 0};
    const auto match = FindInViewerText(ViewerText(), selection.cpMin, selection.cpMax,
                                        sought, search,
                                        {IsLetterOrDigit, UpperCase()});
    if (!match) return FALSE;
    m_viewer.SetSel(match->first, match->second);
    m_viewer.ScrollCaret();
    return TRUE;
}
