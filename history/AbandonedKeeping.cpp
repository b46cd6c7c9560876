#include "history/AbandonedKeeping.h"

#include <windows.h>

#include <atomic>
#include <vector>

#include "history/FolderEntries.h"
#include "history/KeepingFolder.h"

namespace {

// A process of another user cannot be opened, but it runs.
bool IsRunning(unsigned long processId)
{
    const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (!process) return ::GetLastError() == ERROR_ACCESS_DENIED;
    const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    ::CloseHandle(process);
    return running;
}

// An earlier version kept on a thread that ended with its keep; a thread of this process never
// writes such a folder, whatever its id.
bool IsWritingEarlierKeep(unsigned long threadId)
{
    const HANDLE thread = ::OpenThread(SYNCHRONIZE | THREAD_QUERY_LIMITED_INFORMATION, FALSE, threadId);
    if (!thread) return ::GetLastError() == ERROR_ACCESS_DENIED;
    const bool writing = ::WaitForSingleObject(thread, 0) == WAIT_TIMEOUT && ::GetProcessIdOfThread(thread) != ::GetCurrentProcessId();
    ::CloseHandle(thread);
    return writing;
}

// Their folders come only from before this process started, so one look per process is enough.
std::atomic<bool> g_earlierSwept{false};

}  // namespace

void RemoveEarlierKeeping(const CString& vinFolder)
{
    std::vector<CString> abandoned;
    ForEachEntry(vinFolder, true, [&](const CString& name, ULONGLONG) {
        unsigned long threadId = 0;
        if (ParseEarlierKeepingFolderName(name, threadId) && !IsWritingEarlierKeep(threadId)) abandoned.push_back(name);
    });
    for (const CString& name : abandoned) RemoveFolder(vinFolder + "\\" + name);
}

// Another computer's are left to it.
void RemoveAbandonedKeeping(const CString& historyFolder, const CString& computer)
{
    std::vector<CString> abandoned, vinFolders;
    ForEachEntry(historyFolder, true, [&](const CString& name, ULONGLONG) {
        CString writer;
        unsigned long processId = 0;
        if (ParseKeepingFolderName(name, writer, processId)) {
            if (writer.CompareNoCase(computer) == 0 && (processId == ::GetCurrentProcessId() || !IsRunning(processId)))
                abandoned.push_back(name);
        } else {
            vinFolders.push_back(name);
        }
    });
    for (const CString& name : abandoned) RemoveFolder(historyFolder + "\\" + name);
    if (g_earlierSwept.exchange(true)) return;
    for (const CString& name : vinFolders) RemoveEarlierKeeping(historyFolder + "\\" + name);
}
