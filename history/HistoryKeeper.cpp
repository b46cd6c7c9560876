#include "history/HistoryKeeper.h"

#include <algorithm>
#include <memory>

#include "history/EarlierRuns.h"
#include "history/HistoryFolder.h"
#include "history/KeepRun.h"
#include "history/KeepSetting.h"
#include "history/KeptRuns.h"
#include "history/Outbox.h"

namespace {

// A timer's message comes only once the window has nothing else to do, painting included,
// so the copy starts after the VIN is on the screen.
constexpr UINT_PTR kKeepTimer = 0x4B50;
// A report another program holds is tried again this often while the device stays plugged in.
constexpr UINT kBusyRetryMs = 2000;
// Closing waits this long for a copy to finish, then as long again for it to stop.
constexpr DWORD kClosingWaitMs = 3000;
// While runs wait in the outbox, whether the history's folder is back is looked at this often.
constexpr UINT_PTR kOutboxTimer = 0x4B51;
constexpr UINT kOutboxCheckMs = 5000;
// What the keeping thread posts when a run has been kept or could not be.
constexpr UINT WM_KEEP_DONE = WM_APP + 1;
constexpr UINT WM_RUNS_LISTED = WM_APP + 2;
// What the history's watch posts; far from the others, which other parts of the window count on.
constexpr UINT WM_HISTORY_CHANGED = WM_APP + 0x4B1;
constexpr UINT WM_RUNS_DELETED = WM_APP + 0x4DE;

// Runs read from one history folder, as a choice of folder made meanwhile tells them apart.
struct RunsOfFolder {
    unsigned folderChoice;
    CString folder;
    std::vector<KeptRun> runs;
};

// With an empty print folder the job only reads the history.
struct KeepJob {
    CString printFolder;
    CString vin;
    const std::atomic<bool>& stop;
    HWND window;
    unsigned folderChoice;  // the keeper's count of folder choices when the job started
    bool readWanted;        // the history is read even when nothing was kept into it
    CString history;        // the folder it kept into and read
    KeepOutcome outcome;
    bool outboxed = false;  // the run was kept in the outbox: the history could not be reached
    size_t waiting = 0;     // runs left in the outbox
    bool unreachable = false;  // the history could not be read: its folder could not be reached
    std::vector<KeptRun> known;  // the history as read before, whose codes need no second reading
    std::vector<KeptRun> runs;   // the history as it is afterwards
    bool listedEarly = false;    // the runs went to the window before their codes were read
    bool offerEarlier = true;    // the runs kept earlier on this PC are counted, or copied with copyEarlier
    bool copyEarlier = false;
    size_t earlierLeft = 0;      // of those, the runs not in the history yet as far as known
};

// A first read lists the runs before it reads their codes, which under Wine takes seconds for
// thousands of runs: the history window fills meanwhile. The window owns the list once posted.
void ListEarly(KeepJob& job)
{
    if (!job.known.empty() || job.runs.empty()) return;
    try {
        auto listed = std::make_unique<RunsOfFolder>(RunsOfFolder{job.folderChoice, job.history, job.runs});
        if (!::PostMessageA(job.window, WM_RUNS_LISTED, 0, reinterpret_cast<LPARAM>(listed.get()))) return;
        listed.release();
        job.listedEarly = true;
    } catch (const std::bad_alloc&) {
        // Listed with the codes, at the end.
    }
}

DWORD WINAPI KeepOnItsThread(void* parameter)
{
    auto* job = static_cast<KeepJob*>(parameter);
    // Nothing thrown may leave the thread: it would end the program.
    CString& history = job->history;
    bool sharedAny = false;
    CString outbox;
    try {
        // Asked here: the shell library it loads would hold the window up.
        history = HistoryFolder();
        // The runs kept while the history could not be reached go first, as they came first.
        outbox = OutboxFolder();
        const size_t before = OutboxRuns(outbox);
        job->waiting = before ? ShareOutbox(outbox, history, job->stop) : 0;
        sharedAny = job->waiting < before;
        // Asked again once the history can be reached: copied nowhere, they were not copied.
        job->copyEarlier = job->copyEarlier && IsReachable(history);
        if (job->offerEarlier && IsReachable(history) && !EarlierRunsCopied(history)) {
            const CString earlier = DocumentsHistoryFolder();
            job->earlierLeft = EarlierRunsToCopy(earlier, history);
            if (job->copyEarlier && job->earlierLeft) {
                job->earlierLeft = CopyEarlierRuns(earlier, history, job->stop);
                sharedAny = true;
            }
        }
        if (!job->printFolder.IsEmpty()) job->outcome = KeepRun(job->printFolder, history, job->stop);
        if (job->outcome.result == KeepOutcome::Result::Failed && !outbox.IsEmpty() &&
            outbox.CompareNoCase(history) != 0 && !IsReachable(history)) {
            const KeepOutcome kept = KeepInOutbox(job->printFolder, outbox, job->stop);
            if (kept.result == KeepOutcome::Result::Kept || kept.result == KeepOutcome::Result::AlreadyKept) {
                job->outboxed = true;
                job->outcome.run = kept.run;
                job->waiting = OutboxRuns(outbox);
            }
        }
    } catch (...) {
        job->outcome.result = KeepOutcome::Result::Failed;
        job->outcome.why = "an unexpected fault";
        job->offerEarlier = false;  // offered as before
    }
    // A history that cannot be reached, or was not changed, keeps the list as it was.
    job->readWanted = job->readWanted || sharedAny;
    if (!job->readWanted) job->runs = job->known;
    else if ((job->unreachable = !IsReachable(history))) job->runs = job->known;
    // A run kept stays kept when reading the history afterwards fails: the list stays as it was.
    else try {
        // Read here, so that the history window opens on a list already read: under Wine reading
        // thousands of runs takes half a second.
        job->runs = ReadKeptRuns(history);
        ListEarly(*job);
        ReadRunVins(history, job->runs, job->known);
        ReadRunCodes(history, job->runs, job->known);
    } catch (...) {
        if (!job->listedEarly) job->runs.swap(job->known);
    }
    // The runs waiting in the outbox are listed with the history's, as they are now.
    try {
        job->runs.erase(std::remove_if(job->runs.begin(), job->runs.end(), [](const KeptRun& run) { return !run.waitingIn.IsEmpty(); }),
                        job->runs.end());
        if (job->waiting) {
            std::vector<KeptRun> waiting = ReadKeptRuns(outbox);
            for (KeptRun& run : waiting) run.waitingIn = outbox;
            ReadRunVins(outbox, waiting, job->known);
            ReadRunCodes(outbox, waiting, job->known);
            job->runs.insert(job->runs.end(), waiting.begin(), waiting.end());
        }
    } catch (...) {
        // Listed the next time.
    }
    // The window owns the job once the message is posted; a window already gone cannot.
    if (!::PostMessageA(job->window, WM_KEEP_DONE, 0, reinterpret_cast<LPARAM>(job))) delete job;
    return 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CHistoryKeeper, CCmdTarget)
    ON_TIMER(kKeepTimer, &CHistoryKeeper::OnKeepTimer)
    ON_TIMER(kOutboxTimer, &CHistoryKeeper::OnOutboxTimer)
    ON_MESSAGE(WM_KEEP_DONE, &CHistoryKeeper::OnKeepDone)
    ON_MESSAGE(WM_RUNS_LISTED, &CHistoryKeeper::OnRunsListed)
    ON_MESSAGE(WM_HISTORY_CHANGED, &CHistoryKeeper::OnChangedElsewhere)
    ON_MESSAGE(WM_RUNS_DELETED, &CHistoryKeeper::OnRunsDeleted)
    ON_MESSAGE_SEEN(WM_WINDOWPOSCHANGING, &CHistoryKeeper::OnWindowPosChanging)
END_MESSAGE_MAP()

// The window is gone by now, so the thread's message cannot reach it: the thread frees its job.
// A keep was given its moment as the window hid; what runs now, such as the outbox going to a
// slow share, stops at its next piece and waits for the next start. A share that does not answer
// can hold a read up for good; the program closes all the same, and the read, which touches
// nothing of the keeper's, ends with the process.
// A delete running meanwhile has what is left of the same moment, not one of its own.
CHistoryKeeper::~CHistoryKeeper()
{
    const ULONGLONG closing = ::GetTickCount64();
    if (m_keepingThread) {
        m_stop = true;
        ::WaitForSingleObject(m_keepingThread, m_keeping ? INFINITE : kClosingWaitMs);
        ::CloseHandle(m_keepingThread);
    }
    const ULONGLONG waited = ::GetTickCount64() - closing;
    m_deletion.WaitBeforeClosing(waited < kClosingWaitMs ? static_cast<DWORD>(kClosingWaitMs - waited) : 0);
}

// Closing, by any way, hides the window first: while it still shows, the copy is given a moment
// to finish, and past that is stopped, so that no half copy is left to the next start.
void CHistoryKeeper::OnWindowPosChanging(WPARAM, LPARAM lParam)
{
    const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
    if (!m_keepingThread || !m_keeping || !(position->flags & SWP_HIDEWINDOW)) return;
    m_listener.Say("Keeping the reports of the last device found before closing...");
    if (::WaitForSingleObject(m_keepingThread, kClosingWaitMs) == WAIT_OBJECT_0) return;
    m_stop = true;
    ::WaitForSingleObject(m_keepingThread, kClosingWaitMs);
}

void CHistoryKeeper::Keep(const CString& printFolder, const CString& vin)
{
    if (!KeepsReports()) return;
    m_wanted = {printFolder, vin};
    m_retrying = false;
    ::SetTimer(m_window.m_hWnd, kKeepTimer, USER_TIMER_MINIMUM, nullptr);
}

void CHistoryKeeper::ReadLater() const { ::SetTimer(m_window.m_hWnd, kKeepTimer, USER_TIMER_MINIMUM, nullptr); }

void CHistoryKeeper::ReadNow()
{
    if (!m_keepingThread) {
        ::KillTimer(m_window.m_hWnd, kKeepTimer);
        StartKeeping();
    }
    if (m_keepingThread || m_runsRead) return;
    m_runsFolder = HistoryFolder();
    m_runs = ReadKeptRuns(m_runsFolder);
    ReadRunCodes(m_runsFolder, m_runs, {});
    m_runsRead = m_codesRead = true;
}

void CHistoryKeeper::OnKeepTimer()
{
    ::KillTimer(m_window.m_hWnd, kKeepTimer);
    // One run at a time: the one running starts the one wanted next when it is done.
    if (!m_keepingThread) StartKeeping();
}

// The runs in the outbox are kept into the history the next time the keeping thread is free.
void CHistoryKeeper::OnOutboxTimer()
{
    m_shareWanted = true;
    if (!m_keepingThread) StartKeeping();
}

void CHistoryKeeper::StartKeeping()
{
    // Turned off while a keep waited: it is not carried out.
    if (!m_wanted.printFolder.IsEmpty() && !KeepsReports()) m_wanted = {};
    if (m_wanted.printFolder.IsEmpty() && m_runsRead && !m_shareWanted && !m_readWanted && !m_copyEarlierWanted) return;
    const bool readWanted = !m_runsRead || !m_wanted.printFolder.IsEmpty() || m_readWanted;
    m_shareWanted = m_readWanted = false;
    auto job = std::make_unique<KeepJob>(KeepJob{m_wanted.printFolder, m_wanted.vin, m_stop, m_window.m_hWnd,
                                                 m_folderChoice, readWanted, {}, {}, false, 0, false, {}, {}});
    job->copyEarlier = m_copyEarlierWanted;
    m_copyingEarlier = m_copyEarlierWanted;
    m_copyEarlierWanted = false;
    job->known = m_runs;
    m_wanted = {};
    m_keepingThread = ::CreateThread(nullptr, 0, KeepOnItsThread, job.get(), CREATE_SUSPENDED, nullptr);
    if (!m_keepingThread) {
        m_failure = "The run of " + job->vin + " could not be kept: no thread could be started.";
        return;
    }
    // Below the window's own thread, so that copying a large report never slows what it shows.
    ::SetThreadPriority(m_keepingThread, THREAD_PRIORITY_BELOW_NORMAL);
    m_keeping = !job->printFolder.IsEmpty();
    m_deletedWhileRead.ReadStarted();
    m_jobCardsWritten.clear();
    job.release();
    ::ResumeThread(m_keepingThread);
}

// The list is shown before the codes are read; a failure told before is not told again.
LRESULT CHistoryKeeper::OnRunsListed(WPARAM, LPARAM lParam)
{
    const std::unique_ptr<RunsOfFolder> listed(reinterpret_cast<RunsOfFolder*>(lParam));
    if (listed->folderChoice != m_folderChoice) return 0;
    m_deletedWhileRead.DropFrom(listed->runs);
    m_runs = std::move(listed->runs);
    m_runsFolder = listed->folder;
    TakeJobCardsWritten();
    m_runsRead = true;
    m_codesRead = false;
    m_failedNow = false;
    m_listener.RunKept();
    return 0;
}

LRESULT CHistoryKeeper::OnKeepDone(WPARAM, LPARAM lParam)
{
    const std::unique_ptr<KeepJob> job(reinterpret_cast<KeepJob*>(lParam));
    ::CloseHandle(m_keepingThread);
    m_keepingThread = nullptr;
    m_keeping = false;
    // Runs read from a folder chosen before the one in use are not shown: the one in use is
    // read next.
    if (job->folderChoice == m_folderChoice) {
        // Runs deleted in the history window since they were read stay deleted.
        m_deletedWhileRead.DropFrom(job->runs);
        if (job->listedEarly) {
            TakeCodes(m_runs, job->runs);
            for (const KeptRun& run : job->runs)
                if (!run.waitingIn.IsEmpty()) m_runs.push_back(run);
        } else {
            m_runs = std::move(job->runs);
        }
        m_runsFolder = job->history;
        TakeJobCardsWritten();
        m_runsRead = m_codesRead = true;
    }
    m_failedNow = false;
    m_copyingEarlier = false;
    if (job->offerEarlier) TakeEarlierRuns(job->copyEarlier, job->earlierLeft, job->history);
    if (job->readWanted) m_unreachable = job->unreachable ? job->history : CString();
    m_outboxWaiting = job->waiting;
    if (m_outboxWaiting) ::SetTimer(m_window.m_hWnd, kOutboxTimer, kOutboxCheckMs, nullptr);
    else ::KillTimer(m_window.m_hWnd, kOutboxTimer);
    // Said until the runs have gone on into the history.
    if (m_outboxNote && !m_outboxWaiting) m_failure.Empty();
    m_outboxNote = m_outboxNote && m_outboxWaiting;
    if (job->outboxed) {
        m_failure = "Kept on this PC; it will be shared when " + job->history + " is back";
        m_outboxNote = m_failedNow = true;
        m_retrying = false;
        StartKeeping();
        m_listener.RunKept();
        return 0;
    }
    switch (job->outcome.result) {
    case KeepOutcome::Result::Kept:
    case KeepOutcome::Result::AlreadyKept:
        if (!m_outboxNote) m_failure.Empty();
        m_listener.DeviceRunKept(job->printFolder, job->outcome.folder);
        break;
    case KeepOutcome::Result::Busy:
        // Tried again while the device is there and nothing newer is wanted; a device pulled out
        // meanwhile leaves the run not kept.
        if (m_wanted.printFolder.IsEmpty() && ::GetFileAttributesA(job->printFolder) != INVALID_FILE_ATTRIBUTES) {
            m_wanted = {job->printFolder, job->vin};
            m_retried = job->outcome.run;
            m_retrying = true;
            ::SetTimer(m_window.m_hWnd, kKeepTimer, kBusyRetryMs, nullptr);
            m_listener.RunKept();
            return 0;
        }
        [[fallthrough]];
    case KeepOutcome::Result::Failed:
        m_failure = "The run " + job->outcome.run + " could not be kept: " + job->outcome.why;
        m_failedNow = true;
        break;
    case KeepOutcome::Result::Deleted:
        m_failure = "The run " + job->outcome.run + " was deleted from the history: it is not kept again.";
        break;
    case KeepOutcome::Result::NothingToKeep:
        // The run waited for was on a device taken out before it could be read.
        if (m_retrying && m_wanted.printFolder.IsEmpty()) {
            m_failure = "The run " + m_retried +
                           " could not be kept: the device was taken out while another program held one of its reports.";
            m_failedNow = true;
        }
        break;
    default:
        break;
    }
    m_retrying = false;
    StartKeeping();
    m_listener.RunKept();
    return 0;
}

// Offered until they are all in the history: a share down meanwhile leaves the rest offered.
void CHistoryKeeper::TakeEarlierRuns(bool copied, size_t left, const CString& history)
{
    m_earlierRuns = left;
    if (!copied) return;
    if (left == 0 && !m_stop) {
        SetEarlierRunsCopied(history);
        m_earlierNote = "The runs kept earlier on this PC are in " + history + " too.";
    } else {
        m_earlierNote = "Not every run kept earlier on this PC could be copied into " + history + ": the rest are offered again.";
    }
}

void CHistoryKeeper::CopyEarlierRuns()
{
    m_copyEarlierWanted = true;
    m_earlierRuns = 0;
    m_earlierNote.Empty();
    if (!m_keepingThread) StartKeeping();
}

CString CHistoryKeeper::Note() const
{
    if (m_retrying) return "Waiting to keep the reports of the last device found: another program holds one of them...";
    if (m_keeping || !m_wanted.printFolder.IsEmpty()) return "Keeping the reports of the last device found...";
    if (m_copyingEarlier || m_copyEarlierWanted) return "Copying the runs kept earlier on this PC into the history...";
    if (m_failure.IsEmpty() && !m_earlierNote.IsEmpty()) return m_earlierNote;
    if (m_failure.IsEmpty() && !m_unreachable.IsEmpty())
        return m_unreachable + " cannot be reached: the runs kept there are listed once it can.";
    return m_failure;
}

void CHistoryKeeper::JobCardKept(const CString& runFolder, const JobCard& card)
{
    m_jobCardsWritten.emplace_back(runFolder, card);
    TakeJobCardsWritten();
}

void CHistoryKeeper::TakeJobCardsWritten()
{
    for (const auto& [folder, card] : m_jobCardsWritten)
        for (KeptRun& run : m_runs) {
            const CString tail = "\\" + run.vinFolder + "\\" + run.runFolder;
            if (folder.GetLength() < tail.GetLength() || folder.Mid(folder.GetLength() - tail.GetLength()).CompareNoCase(tail) != 0)
                continue;
            TakeJobCard(run, card);
        }
}

void CHistoryKeeper::FolderChanged()
{
    ++m_folderChoice;
    m_runs.clear();
    m_runsFolder.Empty();
    m_runsRead = m_codesRead = false;
    if (m_watching) Watch(true);
    if (!m_keepingThread) StartKeeping();
}

void CHistoryKeeper::Watch(bool shown)
{
    m_watching = shown;
    if (!shown) {
        m_watch.Stop();
        return;
    }
    m_watch.Start(m_runsFolder.IsEmpty() ? HistoryFolder() : m_runsFolder, m_window.m_hWnd, WM_HISTORY_CHANGED);
    // Nothing was watched while the window was closed: what other PCs did meanwhile comes in now.
    if (m_runsRead) OnChangedElsewhere(0, 0);
}

// Read once the keeping thread is free: a keep running reads the history when it ends anyway.
LRESULT CHistoryKeeper::OnChangedElsewhere(WPARAM, LPARAM)
{
    m_readWanted = true;
    if (!m_keepingThread) StartKeeping();
    return 0;
}

bool CHistoryKeeper::Delete(const std::vector<KeptRun>& runs)
{
    return m_deletion.Start(m_window.m_hWnd, WM_RUNS_DELETED, m_runsFolder, runs);
}

// Whether the history window is open or not: the runs that went leave the list, and a read
// that started before they went does not bring them back.
LRESULT CHistoryKeeper::OnRunsDeleted(WPARAM, LPARAM lParam)
{
    const std::unique_ptr<Deletion> deletion = m_deletion.Finished(lParam);
    std::vector<KeptRun> deleted;
    for (size_t i : deletion->outcome.deleted) {
        deleted.push_back(deletion->runs[i]);
        m_justDeleted.push_back(RunFolderPath(deletion->historyFolder, deletion->runs[i]));
    }
    // A folder chosen meanwhile lists other runs, which may bear the same names.
    if (deletion->historyFolder.CompareNoCase(m_runsFolder) == 0) {
        m_deletedWhileRead.Deleted(deleted);
        m_deletedWhileRead.DropFrom(m_runs);
    }
    m_listener.RunsDeleted(deletion->runs, deletion->outcome);
    m_justDeleted.clear();
    return 0;
}

ShownRunFate CHistoryKeeper::FateOf(const CString& shownFolder) const
{
    return FateOfShownRun(shownFolder, m_runsFolder, m_runsRead ? &m_runs : nullptr, m_justDeleted);
}
