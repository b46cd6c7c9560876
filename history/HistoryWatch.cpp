#include "history/HistoryWatch.h"

#include <memory>

namespace {

// Without notifications the folder is read again this often.
constexpr DWORD kRereadMs = 10000;
// Changes that come together, such as a run's files, are told once.
constexpr DWORD kSettleMs = 500;

struct Watch {
    CString folder;
    HWND window;
    UINT message;
    HANDLE stop;  // a handle of its own: the watch may outlive the watcher
};

DWORD WINAPI WatchOnItsThread(void* parameter)
{
    const std::unique_ptr<Watch> watch(static_cast<Watch*>(parameter));
    // The history's own folder only: a watch of every VIN and run folder costs the system one
    // watch a folder, and thousands of runs exhaust them. Each keep shows there all the same, as
    // its temporary folder comes and goes, and each delete, as the note of deleted runs grows.
    const HANDLE changed = ::FindFirstChangeNotificationA(
        watch->folder, FALSE,
        FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE);
    const bool notified = changed != INVALID_HANDLE_VALUE;
    const HANDLE waits[] = {watch->stop, changed};
    for (;;) {
        const DWORD woken = ::WaitForMultipleObjects(notified ? 2 : 1, waits, FALSE, notified ? INFINITE : kRereadMs);
        if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED) break;
        if (woken == WAIT_OBJECT_0 + 1) {
            if (::WaitForSingleObject(watch->stop, kSettleMs) == WAIT_OBJECT_0) break;
            if (!::FindNextChangeNotification(changed)) break;
        }
        ::PostMessageA(watch->window, watch->message, 0, 0);
    }
    if (notified) ::FindCloseChangeNotification(changed);
    ::CloseHandle(watch->stop);
    return 0;
}

}  // namespace

void HistoryWatch::Start(const CString& folder, HWND window, UINT message)
{
    Stop();
    if (folder.IsEmpty()) return;
    m_stop = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE threadsStop = nullptr;
    if (!m_stop || !::DuplicateHandle(::GetCurrentProcess(), m_stop, ::GetCurrentProcess(), &threadsStop, 0, FALSE,
                                      DUPLICATE_SAME_ACCESS)) {
        Stop();
        return;
    }
    auto watch = std::make_unique<Watch>(Watch{folder, window, message, threadsStop});
    m_thread = ::CreateThread(nullptr, 0, WatchOnItsThread, watch.get(), 0, nullptr);
    if (!m_thread) {
        ::CloseHandle(threadsStop);
        Stop();
        return;
    }
    watch.release();
}

// Not waited for: a thread held by a share that hangs would hold the window as long. One that
// posts once more before it sees the stop only has the history read again.
void HistoryWatch::Stop()
{
    if (m_stop) ::SetEvent(m_stop);
    if (m_thread) ::CloseHandle(m_thread);
    if (m_stop) ::CloseHandle(m_stop);
    m_thread = m_stop = nullptr;
}
