#pragma once
// Kept runs moved to the Recycle Bin on a thread of their own: a share that stops answering
// after it was listed holds that thread, never the window. The thread owns what it was given
// and posts the outcome to the window; one deletion runs at a time. Closing waits for it only a
// moment: a share that hangs may hold it for good, and it ends with the program.
#include <windows.h>

#include <memory>
#include <vector>

#include "history/DeleteKeptRuns.h"

// What the thread was asked to delete, and what came of it.
struct Deletion {
    HWND window;
    UINT message;
    CString historyFolder;
    std::vector<KeptRun> runs;
    DeleteOutcome outcome;
};

class DeletionThread {
public:
    DeletionThread() = default;
    ~DeletionThread()
    {
        if (m_thread) ::CloseHandle(m_thread);
    }
    DeletionThread(const DeletionThread&) = delete;
    DeletionThread& operator=(const DeletionThread&) = delete;

    // Posts `message` to `window` when done, its LPARAM for Finished. False when a deletion runs
    // already or no thread could be started.
    bool Start(HWND window, UINT message, const CString& historyFolder, const std::vector<KeptRun>& runs);
    // How many runs are being deleted; 0 while none are.
    size_t Runs() const { return m_runs; }
    // Closing waits at most `ms` for a deletion running; after that it ends with the program.
    void WaitBeforeClosing(DWORD ms) const;
    // The posted message's LPARAM: the caller owns the deletion from now on, and the next may start.
    std::unique_ptr<Deletion> Finished(LPARAM lParam);

private:
    HANDLE m_thread = nullptr;
    size_t m_runs = 0;
};
