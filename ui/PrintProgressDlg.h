#pragma once
// The small window that stays open while Print sends its pages to the spooler: "Printing page n
// of N" and Cancel. It is owned by the main window, which takes no input meanwhile, and it has no
// loop of its own: Print runs the waiting messages between pages, and the spooler runs them
// through the abort procedure while it works, so the windows are painted and Cancel is heard.
#include <vector>

#include "framework/Dialog.h"
#include "output/PrintJob.h"
#include "res/resource.h"

class CPrintProgressDlg : public CDialog, public PrintProgress {
public:
    explicit CPrintProgressDlg(CWnd* owner)
        : CDialog(IDD_PRINT_PROGRESS, owner), m_owner(owner ? ::GetAncestor(*owner, GA_ROOT) : nullptr)
    {
    }
    // Closes the window, gives the owner its input back and runs the commands that waited.
    ~CPrintProgressDlg();

    // Takes the input from the owner and opens the window; the owner takes no input even when
    // the window cannot be opened, as the spooler runs its messages all the same.
    BOOL Open();
    void ShowPage(int page, int pageCount) const override;
    // Runs the messages that came meanwhile; false once the job is to stop.
    bool KeepPrinting() override;
    bool Cancelled() const override { return m_cancelled; }

protected:
    void OnCancel() override { m_cancelled = true; }

private:
    HWND m_owner = nullptr;
    bool m_cancelled = false;
    std::vector<MSG> m_waitingCommands;
};
