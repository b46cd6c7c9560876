#include "output/PrintJob.h"

#include <string>

namespace {

// A printer may refuse a job when it starts or, spooling to another machine, only when it ends.
constexpr const char* kRefused = "Not printed: the printer refused the job";

// The progress window of the job being printed, for the abort procedure, which the spooler
// calls with nothing but the printer.
thread_local PrintProgress* t_progress = nullptr;

class ProgressOfJob {
public:
    explicit ProgressOfJob(PrintProgress& progress) { t_progress = &progress; }
    ~ProgressOfJob() { t_progress = nullptr; }
    ProgressOfJob(const ProgressOfJob&) = delete;
    ProgressOfJob& operator=(const ProgressOfJob&) = delete;
};

// The spooler calls this while it works on a page: the windows stay alive, and FALSE stops the job.
BOOL CALLBACK KeepSpooling(HDC, int)
{
    try {
        return !t_progress || t_progress->KeepPrinting();
    } catch (...) {
        return TRUE;  // no exception may cross back into the spooler
    }
}

// Prints every page, until the user cancels; what went wrong, in words, or nothing.
CString PrintEveryPage(const CDCHandle& printer, const CPrintPages& pages, PrintProgress& progress)
{
    const int count = pages.PageCount();
    for (int page = 0; page < count; ++page) {
        progress.ShowPage(page + 1, count);
        if (!progress.KeepPrinting()) return CString();
        if (::StartPage(printer) > 0) {
            pages.DrawPage(printer, page, [&progress] { return progress.KeepPrinting(); });
            // A half page cancelled is not sent: AbortDoc drops the page begun.
            if (progress.Cancelled()) return CString();
            if (::EndPage(printer) > 0) continue;
        }
        // A page the user cancelled while the spooler took it ends the job as Cancel does.
        if (progress.Cancelled()) return CString();
        return CString("Printing failed at page " + std::to_string(page + 1) + " of " + std::to_string(count));
    }
    return CString();
}

}  // namespace

CString PrintJob(const CDCHandle& printer, const CPrintPages& pages, PrintProgress& progress)
{
    const ProgressOfJob named(progress);
    ::SetAbortProc(printer, &KeepSpooling);

    DOCINFOA document{};
    document.cbSize = sizeof document;
    document.lpszDocName = "pdoc";
    if (::StartDocA(printer, &document) <= 0) return CString(kRefused);
    CString failure = PrintEveryPage(printer, pages, progress);
    if (!failure.IsEmpty() || progress.Cancelled())
        ::AbortDoc(printer);
    else if (::EndDoc(printer) <= 0)
        failure = kRefused;
    return failure;
}
