// The viewer filled with a view, and typed notes a view replaced, kept for Undo.
#include "reports/ReportView.h"

#include "framework/WideText.h"
#include "reports/ClipboardText.h"
#include "reports/ReportViewer.h"
#include "reports/ViewerFont.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CReportView, CRichEditCtrl)
    ON_CONTEXTMENU_OF(m_hWnd, &CReportView::OnContextMenu)
    ON_COMMAND_RANGE(IDM_VIEWER_UNDO, IDM_VIEWER_SELECT_ALL, &CReportView::OnEdit)
    CHAIN_MSG_MAP_MEMBER(m_find)
END_MESSAGE_MAP()

void CReportView::Prepare() const { PrepareViewer(*this); }

void CReportView::Fill(const char* shown, const CString& text)
{
    const bool notesKept = KeepNotes();
    m_shown = shown;
    EmptyViewer(*this);
    FitViewerFontTo(*this, text);
    FillViewer(*this, text);
    SetModify(FALSE);
    m_listener.ViewFilled(notesKept);
    if (!text.IsEmpty()) PostMessage(WM_VSCROLL, SB_BOTTOM);
}

// Text typed into the viewer is kept before a view replaces it. Kept here rather than in the
// control's undo: Wine's rich edit takes out a large text slowly, and undo would have it take out
// the new text as well as put back the old, where the view is put in piece by piece.
bool CReportView::KeepNotes()
{
    if (!GetModify()) return false;
    m_notes = GetUnicodeText();
    m_notesShown = m_shown;
    return true;
}

// Undo in the viewer: its own first, and, once it has nothing left, the notes a view replaced.
void CReportView::OnUndo()
{
    if (CanUndo()) {
        SendMessage(EM_UNDO);
        return;
    }
    if (m_notes.empty()) return;
    const CString notes = ClipboardText(CString(Utf8Text(m_notes)));
    const CString shown = m_notesShown;
    m_notes.clear();
    Fill(shown, notes);
    SetModify(TRUE);
    m_listener.NotesBroughtBack();
}
