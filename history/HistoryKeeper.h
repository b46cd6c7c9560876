#pragma once
// The main window's history part: it keeps each device's run in the history on a thread of its
// own, so the VIN is shown first and the window goes on answering while a large report is
// copied, and reads the history there for the history window. It owns that thread: one runs at
// a time, and the keeper waits for it before it goes. It owns the history's list: the history
// window shows it and asks the keeper to delete, which it does on a thread of its own too, and so
// it knows what became of a kept run shown.
#include <windows.h>

#include <atomic>
#include <vector>

#include "framework/Wnd.h"
#include "history/DeleteKeptRuns.h"
#include "history/DeletionThread.h"
#include "history/RunsDeletedWhileRead.h"
#include "history/HistoryList.h"
#include "jobcard/JobCard.h"
#include "history/HistoryWatch.h"
#include "history/ShownRunGone.h"

// What the history part tells the window that owns it.
class HistoryKeeperListener {
public:
    // A run was kept, or could not be, and the history was read afresh.
    virtual void RunKept() = 0;
    // The run of the device at `printFolder` is in the history's `runFolder`: kept now, or before.
    virtual void DeviceRunKept(const CString& printFolder, const CString& runFolder) = 0;
    // Something to say in the status line now, before the window goes on.
    virtual void Say(const CString& note) = 0;
    // Of the runs asked to be deleted, those in `outcome.deleted` went and left the list.
    virtual void RunsDeleted(const std::vector<KeptRun>& asked, const DeleteOutcome& outcome) = 0;

protected:
    ~HistoryKeeperListener() = default;
};

class CHistoryKeeper : public CCmdTarget {
public:
    CHistoryKeeper(const CWnd& window, HistoryKeeperListener& listener) : m_window(window), m_listener(listener) {}
    ~CHistoryKeeper() override;
    CHistoryKeeper(const CHistoryKeeper&) = delete;
    CHistoryKeeper& operator=(const CHistoryKeeper&) = delete;

    // A device was found and its VIN read: its run is kept once the window has shown it, unless
    // the user turned keeping off.
    void Keep(const CString& printFolder, const CString& vin);
    // At start-up, once the window is shown: the history is read for the history window.
    void ReadLater() const;
    // The history window opens before the history was read: it is read now, not after the
    // read-ahead's wait, here when it cannot be read on the keeping thread.
    void ReadNow();

    // The history folder was chosen afresh: the list is read from the folder now in use, on the
    // keeping thread, and is empty meanwhile.
    void FolderChanged();
    // While the history window shows the list, runs kept or deleted by other PCs come into it;
    // it is read again as the window opens.
    void Watch(bool shown);
    // How many runs kept earlier on this PC, in Documents\Mardello, are offered to be copied into
    // the history in use; 0 when it is that folder or they were all copied.
    size_t EarlierRuns() const { return m_earlierRuns; }
    // They are copied on the keeping thread, by the rules of a keep, and stay where they are.
    void CopyEarlierRuns();
    // The folder the runs were read from; empty until they have been.
    const CString& Folder() const { return m_runsFolder; }

    // Which run is being kept, or why the last one could not be; empty when neither.
    CString Note() const;
    // The last keep ended in a failure, or in the outbox, that the user has not been told of in
    // the main window.
    bool FailedNow() const { return m_failedNow; }
    // The history as last read, without the runs deleted since; null until it has been read.
    // The history window fills in what it reads of a run when it first shows it.
    std::vector<KeptRun>* Runs() { return m_runsRead ? &m_runs : nullptr; }
    // Whether the runs' trouble codes have been read yet: the first read lists the runs before.
    bool CodesRead() const { return m_codesRead; }
    // The job card of the run kept in `runFolder` was written: the list finds the run by it at once.
    void JobCardKept(const CString& runFolder, const JobCard& card);
    // Starts moving the runs to the Recycle Bin; those that went leave the list when it is done.
    // False when a deletion runs already or could not be started.
    bool Delete(const std::vector<KeptRun>& runs);
    // How many runs are being moved to the Recycle Bin; 0 while none are.
    size_t Deleting() const { return m_deletion.Runs(); }
    // What became of the kept run shown from `shownFolder`.
    ShownRunFate FateOf(const CString& shownFolder) const;

    DECLARE_MESSAGE_MAP()

private:
    struct KeepRequest {
        CString printFolder;  // empty: none
        CString vin;
    };

    void TakeEarlierRuns(bool copied, size_t left, const CString& history);
    void OnKeepTimer();
    void OnOutboxTimer();
    void StartKeeping();
    LRESULT OnKeepDone(WPARAM wParam, LPARAM lParam);
    LRESULT OnRunsListed(WPARAM wParam, LPARAM lParam);
    LRESULT OnChangedElsewhere(WPARAM wParam, LPARAM lParam);
    LRESULT OnRunsDeleted(WPARAM wParam, LPARAM lParam);
    void OnWindowPosChanging(WPARAM wParam, LPARAM lParam);

    const CWnd& m_window;
    HistoryKeeperListener& m_listener;
    KeepRequest m_wanted;
    HANDLE m_keepingThread = nullptr;
    bool m_keeping = false;   // the thread running copies a run, not only reads
    bool m_retrying = false;  // the run wanted waits for a report another program holds
    CString m_retried;        // which run that is, as the keep that found it held named it
    CString m_failure;        // the last run that could not be kept, and why (or that it was deleted)
    bool m_failedNow = false;
    size_t m_outboxWaiting = 0;  // runs kept in the outbox that have not gone on into the history
    bool m_outboxNote = false;   // m_failure says that runs wait in the outbox
    bool m_shareWanted = false;  // the outbox is to be looked into though nothing else is wanted
    bool m_readWanted = false;   // the history changed elsewhere: it is read again
    bool m_watching = false;
    size_t m_earlierRuns = 0;
    bool m_copyEarlierWanted = false;
    bool m_copyingEarlier = false;
    CString m_earlierNote;  // what came of copying them
    HistoryWatch m_watch;
    std::atomic<bool> m_stop{false};  // the program closes: the copy running stops
    std::vector<KeptRun> m_runs;
    CString m_runsFolder;
    CString m_unreachable;  // the history's folder, when it could not be reached at the last read
    unsigned m_folderChoice = 0;  // how often the folder was chosen: older reads are not shown
    bool m_runsRead = false;
    bool m_codesRead = false;
    RunsDeletedWhileRead m_deletedWhileRead;
    DeletionThread m_deletion;
    // The folders of the runs the history window deleted, while the window is told: a run kept
    // again later under the same name is another run.
    std::vector<CString> m_justDeleted;
    // Job cards written since the keeping thread started: its list, read before, lacks them.
    std::vector<std::pair<CString, JobCard>> m_jobCardsWritten;
    void TakeJobCardsWritten();
};
