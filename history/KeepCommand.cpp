// Keeping every device's run in the history, on a thread of its own: the VIN is shown first,
// and the window goes on answering while a large report is copied.
#include <memory>

#include "history/HistoryFolder.h"
#include "history/KeepRun.h"
#include "history/KeepSetting.h"
#include "history/KeptRuns.h"
#include "ui/HistoryDlg.h"
#include "ui/MardelloDlg.h"

namespace {

// A timer's message comes only once the window has nothing else to do, painting included,
// so the copy starts after the VIN is on the screen.
constexpr UINT_PTR kKeepTimer = 0x4B50;

// With an empty print folder the job only reads the history.
struct KeepJob {
    CString printFolder;
    CString vin;
    HWND window;
    KeepOutcome outcome;
    std::vector<KeptRun> runs;  // the history as it is afterwards
};

DWORD WINAPI KeepOnItsThread(void* parameter)
{
    auto* job = static_cast<KeepJob*>(parameter);
    // Asked here: the shell library it loads would hold the window up.
    const CString history = HistoryFolder();
    if (!job->printFolder.IsEmpty()) job->outcome = KeepRun(job->printFolder, history);
    // Read here, so that the history window opens on a list already read: under Wine reading
    // thousands of runs takes half a second.
    job->runs = ReadKeptRuns(history);
    // The window owns the job once the message is posted; a window already gone cannot.
    if (!::PostMessageA(job->window, WM_KEEP_DONE, 0, reinterpret_cast<LPARAM>(job))) delete job;
    return 0;
}

}  // namespace

// Called when a device has been found and its VIN read.
void CMardelloDlg::KeepDeviceRun()
{
    if (!KeepsReports()) return;
    m_keepWanted = {m_strReportFolder, m_strVin};
    ::SetTimer(m_hWnd, kKeepTimer, USER_TIMER_MINIMUM, nullptr);
}

// At start-up, once the window is shown: the history is read for the history window.
void CMardelloDlg::ReadHistoryLater() { ::SetTimer(m_hWnd, kKeepTimer, USER_TIMER_MINIMUM, nullptr); }

bool CMardelloDlg::OnKeepTimer(UINT_PTR id)
{
    if (id != kKeepTimer) return false;
    ::KillTimer(m_hWnd, kKeepTimer);
    // One run at a time: the one running starts the one wanted next when it is done.
    if (!m_hKeepThread) StartKeeping();
    return true;
}

void CMardelloDlg::StartKeeping()
{
    if (m_keepWanted.printFolder.IsEmpty() && m_bKeptRunsRead) return;
    auto job = std::make_unique<KeepJob>(KeepJob{m_keepWanted.printFolder, m_keepWanted.vin, m_hWnd, {}, {}});
    m_keepWanted = {};
    m_hKeepThread = ::CreateThread(nullptr, 0, KeepOnItsThread, job.get(), CREATE_SUSPENDED, nullptr);
    if (!m_hKeepThread) {
        m_strKeepFailure = "The run of " + job->vin + " could not be kept: no thread could be started.";
        return;
    }
    // Below the window's own thread, so that copying a large report never slows what it shows.
    ::SetThreadPriority(m_hKeepThread, THREAD_PRIORITY_BELOW_NORMAL);
    m_bKeeping = !job->printFolder.IsEmpty();
    job.release();
    ::ResumeThread(m_hKeepThread);
}

LRESULT CMardelloDlg::OnKeepDone(WPARAM, LPARAM lParam)
{
    const std::unique_ptr<KeepJob> job(reinterpret_cast<KeepJob*>(lParam));
    ::CloseHandle(m_hKeepThread);
    m_hKeepThread = nullptr;
    m_bKeeping = false;
    m_keptRuns = std::move(job->runs);
    m_bKeptRunsRead = true;
    if (job->outcome.result == KeepOutcome::Result::Failed)
        m_strKeepFailure = "The run " + job->outcome.run + " could not be kept: " + job->outcome.why;
    StartKeeping();
    if (m_pHistoryDlg) m_pHistoryDlg->KeepDone(KeepNote(), m_keptRuns);
    return 0;
}

CString CMardelloDlg::KeepNote() const
{
    if (m_bKeeping || !m_keepWanted.printFolder.IsEmpty()) return "Keeping the reports of the last device found...";
    return m_strKeepFailure;
}
