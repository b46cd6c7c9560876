#include "history/AbandonedKeeping.h"

#include <windows.h>

#include <atomic>
#include <vector>

#include "history/FolderEntries.h"
#include "history/HistoryFolder.h"
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

long long SecondsSince(const FILETIME& time)
{
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& at) { return static_cast<long long>((ULONGLONG(at.dwHighDateTime) << 32) | at.dwLowDateTime); };
    return (ticks(now) - ticks(time)) / 10000000;
}

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

// A folder that links elsewhere is never entered: what it points to is no keep's. Earlier
// versions kept only into this computer's Documents, so only there are theirs this computer's.
void RemoveAbandonedKeeping(const CString& historyFolder, const CString& computer)
{
    std::vector<CString> abandoned, vinFolders;
    WIN32_FIND_DATAA entry{};
    const HANDLE find = ::FindFirstFileA(historyFolder + "\\*", &entry);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if ((entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != FILE_ATTRIBUTE_DIRECTORY)
            continue;
        const CString name(entry.cFileName);
        unsigned long processId = 0;
        switch (LeftoverOf(name, computer, SecondsSince(entry.ftLastWriteTime), processId)) {
        case Leftover::OwnIfProcessGone:
            if (processId == ::GetCurrentProcessId() || !IsRunning(processId)) abandoned.push_back(name);
            break;
        case Leftover::Removed:
            abandoned.push_back(name);
            break;
        case Leftover::LeftAlone:
            if (name != "." && name != "..") vinFolders.push_back(name);
            break;
        }
    } while (::FindNextFileA(find, &entry));
    ::FindClose(find);
    for (const CString& name : abandoned) RemoveFolder(historyFolder + "\\" + name);
    if (historyFolder.CompareNoCase(DocumentsHistoryFolder()) != 0 || g_earlierSwept.exchange(true)) return;
    for (const CString& name : vinFolders) RemoveEarlierKeeping(historyFolder + "\\" + name);
}
