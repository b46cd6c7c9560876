#pragma once
// Wrappers of the dialog's controls. Like every CWnd they only name a control that the
// dialog manager created and destroys.
#include <windows.h>
#include <richedit.h>

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
    // The length WM_GETTEXTLENGTH reports; it counts each paragraph break as CR LF, so it
    // bounds the text range query from above.
    long GetTextLength() const { return static_cast<long>(SendMessage(WM_GETTEXTLENGTH)); }
    // The text between two character positions, paragraph breaks as bare CRs.
    CString GetTextRange(long first, long last) const;
    void SetSel(long start, long end) const
    {
        CHARRANGE range{start, end};
        SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    }
    void Clear() const { SendMessage(WM_CLEAR); }
    void ReplaceSel(const char* text, BOOL canUndo = FALSE) const
    {
        SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text));
    }
    void LimitText(long maxChars) const { SendMessage(EM_EXLIMITTEXT, 0, maxChars); }
    long GetLimitText() const { return static_cast<long>(SendMessage(EM_GETLIMITTEXT)); }
    // Swaps the control for a new, empty one with the same class, styles, place, ID, font and
    // tab position, and names the new one. FALSE, with the old control kept, when none can be made.
    BOOL Renew();
    void EmptyUndoBuffer() const { SendMessage(EM_EMPTYUNDOBUFFER); }
    // Only an empty control with nothing to undo can change its text mode.
    BOOL SetTextMode(UINT mode) const { return SendMessage(EM_SETTEXTMODE, mode) == 0; }
};
