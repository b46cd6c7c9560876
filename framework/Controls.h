#pragma once
// Wrappers of the dialog's controls. Like every CWnd they only name a control that the
// dialog manager created and destroys.
#include <windows.h>
#include <richedit.h>

#include <string>

#include "framework/Wnd.h"

class CButton : public CWnd {
public:
    // Shows a picture on the button and hands back the one it showed before (or null).
    HBITMAP SetBitmap(HBITMAP bitmap) const
    {
        return reinterpret_cast<HBITMAP>(SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }
};

class CRichEditCtrl : public CWnd {
public:
    static constexpr UINT kUnicodeCodePage = 1200;
    // The length WM_GETTEXTLENGTH reports; it counts each paragraph break as CR LF, so it
    // bounds the text range query from above.
    // Asked in Unicode: a Unicode control asked in ANSI would have the whole text converted to count it.
    long GetTextLength() const { return static_cast<long>(::SendMessageW(m_hWnd, WM_GETTEXTLENGTH, 0, 0)); }
    // The text between two character positions, paragraph breaks as bare CRs.
    CString GetTextRange(long first, long last) const;
    // The whole text as Unicode, paragraph breaks as bare CRs, whatever the system's code page holds.
    std::wstring GetUnicodeText() const;
    void SetSel(long start, long end) const
    {
        CHARRANGE range{start, end};
        SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    }
    void GetSel(CHARRANGE& range) const { SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range)); }
    // Brings the caret, and so the selection's end, into view.
    void ScrollCaret() const { SendMessage(EM_SCROLLCARET); }
    BOOL CanUndo() const { return SendMessage(EM_CANUNDO) != 0; }
    // Whether the text was changed since it was last said to be unchanged.
    BOOL GetModify() const { return SendMessage(EM_GETMODIFY) != 0; }
    void SetModify(BOOL modified) const { SendMessage(EM_SETMODIFY, modified); }
    void ReplaceSel(const char* text, BOOL canUndo = FALSE) const
    {
        SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text));
    }
    // Unicode text in place of the selection, as typed text goes in: it can be undone.
    void ReplaceSelUndoable(const wchar_t* text) const
    {
        ::SendMessageW(m_hWnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    }
    // The viewer's characters in as Unicode, so that none is lost to the system's code page.
    void ReplaceSel(const wchar_t* text) const
    {
        SETTEXTEX how{ST_SELECTION, kUnicodeCodePage};
        SendMessage(EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(text));
    }
    void LimitText(long maxChars) const { SendMessage(EM_EXLIMITTEXT, 0, maxChars); }
    // Swaps the control for a new, empty one with the same class, styles, place, ID, font and
    // tab position, and names the new one; it has `scrollBars` (WS_VSCROLL, WS_HSCROLL) whether
    // the old one shows them or not. FALSE, with the old control kept, when none can be made.
    BOOL Renew(DWORD scrollBars);
    void EmptyUndoBuffer() const { SendMessage(EM_EMPTYUNDOBUFFER); }
    // Only an empty control with nothing to undo can change its text mode.
    BOOL SetTextMode(UINT mode) const { return SendMessage(EM_SETTEXTMODE, mode) == 0; }
};
