#include "history/HistoryKeeper.h"

#include <memory>

#include "history/HistoryFolder.h"
#include "history/KeepRun.h"
#include "history/KeepSetting.h"
#include "history/KeptRuns.h"

namespace {

// A timer's message comes only once the window has nothing else to do, painting included,
// so the copy starts after the VIN is on the screen.
constexpr UINT_PTR kKeepTimer = 0x4B50;
// What the keeping thread posts when a run has been kept or could not be.
constexpr UINT WM_KEEP_DONE = WM_APP + 1;

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
    if (!job->printFolder.IsEmpty()) job->outcome = KeepRun(job->printFolder, job->vin, history);
    // Read here, so that the history window opens on a list already read: under Wine reading
    // thousands of runs takes half a second.
    job->runs = ReadKeptRuns(history);
    // The window owns the job once the message is posted; a window already gone cannot.
    if (!::PostMessageA(job->window, WM_KEEP_DONE, 0, reinterpret_cast<LPARAM>(job))) delete job;
    return 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CHistoryKeeper, CCmdTarget)
    ON_TIMER(kKeepTimer, &CHistoryKeeper::OnKeepTimer)
    ON_MESSAGE(WM_KEEP_DONE, &CHistoryKeeper::OnKeepDone)
END_MESSAGE_MAP()

// The window is gone by now, so the thread's message cannot reach it: the thread frees its job.
CHistoryKeeper::~CHistoryKeeper()
{
    if (!m_hThread) return;
    ::WaitForSingleObject(m_hThread, INFINITE);
    ::CloseHandle(m_hThread);
}

void CHistoryKeeper::Keep(const CString& printFolder, const CString& vin)
{
    if (!KeepsReports()) return;
    m_wanted = {printFolder, vin};
    ::SetTimer(m_window.m_hWnd, kKeepTimer, USER_TIMER_MINIMUM, nullptr);
}

void CHistoryKeeper::ReadLater() const { ::SetTimer(m_window.m_hWnd, kKeepTimer, USER_TIMER_MINIMUM, nullptr); }

bool CHistoryKeeper::ReadNow()
{
    if (!m_hThread) {
        ::KillTimer(m_window.m_hWnd, kKeepTimer);
        StartKeeping();
    }
    return m_hThread != nullptr || m_bRunsRead;
}

void CHistoryKeeper::OnKeepTimer()
{
    ::KillTimer(m_window.m_hWnd, kKeepTimer);
    // One run at a time: the one running starts the one wanted next when it is done.
    if (!m_hThread) StartKeeping();
}

void CHistoryKeeper::StartKeeping()
{
    if (m_wanted.printFolder.IsEmpty() && m_bRunsRead) return;
    auto job = std::make_unique<KeepJob>(KeepJob{m_wanted.printFolder, m_wanted.vin, m_window.m_hWnd, {}, {}});
    m_wanted = {};
    m_hThread = ::CreateThread(nullptr, 0, KeepOnItsThread, job.get(), CREATE_SUSPENDED, nullptr);
    if (!m_hThread) {
        m_strFailure = "The run of " + job->vin + " could not be kept: no thread could be started.";
        return;
    }
    // Below the window's own thread, so that copying a large report never slows what it shows.
    ::SetThreadPriority(m_hThread, THREAD_PRIORITY_BELOW_NORMAL);
    m_bKeeping = !job->printFolder.IsEmpty();
    job.release();
    ::ResumeThread(m_hThread);
}

LRESULT CHistoryKeeper::OnKeepDone(WPARAM, LPARAM lParam)
{
    const std::unique_ptr<KeepJob> job(reinterpret_cast<KeepJob*>(lParam));
    ::CloseHandle(m_hThread);
    m_hThread = nullptr;
    m_bKeeping = false;
    m_runs = std::move(job->runs);
    m_bRunsRead = true;
    if (job->outcome.result == KeepOutcome::Result::Failed)
        m_strFailure = "The run " + job->outcome.run + " could not be kept: " + job->outcome.why;
    StartKeeping();
    m_callback.RunKept();
    return 0;
}

CString CHistoryKeeper::Note() const
{
    if (m_bKeeping || !m_wanted.printFolder.IsEmpty()) return "Keeping the reports of the last device found...";
    return m_strFailure;
}

void CHistoryKeeper::RunsLeft(const std::vector<KeptRun>& runs)
{
    if (m_bRunsRead) m_runs = runs;
}
