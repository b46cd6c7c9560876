#pragma once
// Print: the job sent to the spooler page by page, while a progress window says which page it is
// at and its Cancel stops the job.
#include <windows.h>

#include "framework/CString.h"
#include "framework/Gdi.h"
#include "output/PrintPages.h"

// What the job shows and asks while it prints; the window that does it is the caller's.
class PrintProgress {
public:
    virtual void ShowPage(int page, int pageCount) const = 0;
    // Runs the messages that came meanwhile; false once the job is to stop.
    virtual bool KeepPrinting() = 0;
    virtual bool Cancelled() const = 0;

protected:
    ~PrintProgress() = default;
};

// Prints every page under the job name "pdoc" until the user cancels; what went wrong, in the
// status line's words, or nothing.
CString PrintJob(const CDCHandle& printer, const CPrintPages& pages, PrintProgress& progress);
