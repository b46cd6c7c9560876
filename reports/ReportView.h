#pragma once
// The report viewer as a part of the main window: the rich edit control, filled with one
// view at a time, its context menu and edit commands, its keys, Find, and the notes typed into a
// view, kept for Undo when a view replaces them. Its members are defined in reports/ReportView.cpp,
// ReportViewMenu.cpp and ReportViewKeys.cpp.
#include <string>

#include "framework/Controls.h"
#include "reports/EncodingChoice.h"
#include "reports/ViewerFind.h"

// What the viewer tells the window that owns it.
class ReportViewListener {
public:
    // A view replaced the viewer's text; `notesKept`: the notes typed into the one before are kept for Undo.
    virtual void ViewFilled(bool notesKept) = 0;
    // Undo brought back the notes a view replaced, and the view they were typed into is shown again.
    virtual void NotesBroughtBack() = 0;

protected:
    ~ReportViewListener() = default;
};

class CReportView : public CRichEditCtrl {
public:
    // `owner` is the window the control sits in: the menu's and the keys' commands go to it.
    CReportView(CWnd& owner, const CEncodingChoice& encoding, ReportViewListener& listener)
        : m_owner(owner), m_encoding(encoding), m_listener(listener), m_find(*this, owner)
    {
    }
    CReportView(const CReportView&) = delete;
    CReportView& operator=(const CReportView&) = delete;

    // Once the control is bound: plain text, no limit on its size.
    void Prepare() const;
    // Every view's way into the viewer: the name Save As gives it, and its text.
    void Fill(const char* shown, const CString& text);
    // What the viewer was last filled with, as Save As names it; empty before the first view.
    const CString& Shown() const { return m_shown; }

    // Sees the main window's messages before it does: the Find dialog's keys, and the viewer's.
    BOOL PreTranslateMessage(MSG* message) override;

    DECLARE_MESSAGE_MAP()

private:
    void OnContextMenu(CPoint point);
    void OnMenuKey();
    void ShowMenu(CPoint screenPoint);
    void OnEdit(UINT id);
    void OnUndo();
    void OnPaste();
    // Typed notes a view replaces are kept for Undo to bring back; true when there were some.
    bool KeepNotes();

    CWnd& m_owner;
    const CEncodingChoice& m_encoding;
    ReportViewListener& m_listener;
    CViewerFind m_find;
    CString m_shown;
    std::wstring m_notes;  // typed notes the last view replaced; empty when none are kept
    CString m_notesShown;  // the view the notes were typed into
};
