#pragma once
// Modal dialogs run by the system's dialog manager, with the framework's data exchange.
#include <windows.h>

#include "framework/Wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;  // TRUE: controls to members; FALSE: members to controls
};

void DDX_Text(CDataExchange* exchange, int id, CString& value);
void DDX_Control(CDataExchange* exchange, int id, CWnd& control);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    virtual INT_PTR DoModal();
    // Opens the dialog modeless, owned by the parent's top-level window; the caller runs its
    // messages and destroys it with DestroyWindow().
    BOOL Create();
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    void EndDialog(int result) const
    {
        m_bEnded = true;
        ::EndDialog(m_hWnd, result);
    }

    bool ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // True while one of this dialog's command handlers runs, modal loops it opens included.
    bool HandlingCommand() const { return m_nCommandsRunning > 0; }

    // The window a modal dialog with `parent` belongs to, and so disables while it runs (see
    // Dialog.cpp); `dialog` is the dialog itself, when it is one of ours.
    static HWND ModalOwner(const CWnd* parent, const CWnd* dialog = nullptr);

protected:
    // The dialog manager creates the dialog and its controls through the wide calls, so the
    // template's Unicode texts show as they are under any code page; the 8-bit calls would pass
    // them through the system's code page, which turns Chinese into question marks outside 936.
    bool m_bWideTemplate = false;

    // The dialog's window exists and its controls are not made yet: the dialog manager makes
    // them between the dialog font's WM_SETFONT, where this is called, and WM_INITDIALOG.
    virtual void OnWindowMade() {}
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* exchange) { (void)exchange; }
    virtual void OnOK();
    virtual void OnCancel();

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void CenterAfterInit(const RECT& windowBefore, LONG styleBefore) const;
    INT_PTR RunAsMainWindow();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    int m_nCommandsRunning = 0;
    mutable bool m_bEnded = false;
};

// The extended dialog of the framework; this program uses nothing it adds.
class CDialogEx : public CDialog {
public:
    using CDialog::CDialog;
};
