// Find in the viewer: the system's Find dialog, one at a time, and F3 / Shift+F3 to repeat the
// last search forwards or backwards without it. Nothing found: the selection stays and the
// system's default sound says so.
#include "ui/MardelloDlg.h"

namespace {
constexpr DWORD kSearchFlags = FR_DOWN | FR_MATCHCASE | FR_WHOLEWORD;
}  // namespace

void CMardelloDlg::OnFind()
{
    if (m_dlgFind.m_hWnd) {
        ::SetActiveWindow(m_dlgFind.m_hWnd);
        return;
    }
    // A selection within one line is what the user most likely wants to find.
    CHARRANGE selection{};
    m_richReport.GetSel(selection);
    CString selected = m_richReport.GetTextRange(selection.cpMin, selection.cpMax);
    const bool oneLine = !selected.IsEmpty() && selected.Find('\r') < 0 && selected.Find('\n') < 0 &&
                         selected.Size() < CFindReplaceDialog::kFindWhatSize;
    m_dlgFind.Create(TRUE, oneLine ? selected : m_strSought, m_dwFindFlags, this);
}

LRESULT CMardelloDlg::OnFindReplace(WPARAM wParam, LPARAM lParam)
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

void CMardelloDlg::OnFindNext()
{
    if (m_strSought.IsEmpty()) OnFind();
    else FindAndShow(m_dwFindFlags | FR_DOWN);
}

void CMardelloDlg::OnFindPrevious()
{
    if (m_strSought.IsEmpty()) OnFind();
    else FindAndShow(m_dwFindFlags & ~FR_DOWN);
}

void CMardelloDlg::FindAndShow(DWORD flags)
{
    if (!FindInViewer(m_strSought, flags)) ::MessageBeep(MB_OK);
}
