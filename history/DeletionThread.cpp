#include "history/DeletionThread.h"

#include <objbase.h>

#include <new>

#include "framework/SystemLibrary.h"

namespace {

DWORD WINAPI DeleteOnItsThread(void* parameter)
{
    std::unique_ptr<Deletion> deletion(static_cast<Deletion*>(parameter));
    static const auto initialize = LoadSystemFunction<decltype(&::CoInitializeEx)>("ole32.dll", "CoInitializeEx");
    static const auto uninitialize = LoadSystemFunction<decltype(&::CoUninitialize)>("ole32.dll", "CoUninitialize");
    // The shell's Recycle Bin may need COM on the thread that calls it.
    const bool initialized = initialize && uninitialize &&
                             SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    // Nothing thrown may leave the thread: it would end the program.
    try {
        deletion->outcome = DeleteKeptRuns(deletion->historyFolder, deletion->runs);
    } catch (...) {
        deletion->outcome.deleted.clear();
        deletion->outcome.why = "The runs could not be moved to the Recycle Bin: an unexpected fault.";
    }
    if (initialized) uninitialize();
    // The window owns the deletion once the message is posted; a window already gone cannot.
    if (::PostMessageA(deletion->window, deletion->message, 0, reinterpret_cast<LPARAM>(deletion.get()))) deletion.release();
    return 0;
}

}  // namespace

void DeletionThread::WaitBeforeClosing(DWORD ms) const
{
    if (m_thread) ::WaitForSingleObject(m_thread, ms);
}

bool DeletionThread::Start(HWND window, UINT message, const CString& historyFolder, const std::vector<KeptRun>& runs)
{
    if (m_thread) return false;
    std::unique_ptr<Deletion> deletion;
    try {
        deletion = std::make_unique<Deletion>(Deletion{window, message, historyFolder, runs, {}});
    } catch (const std::bad_alloc&) {
        return false;
    }
    m_thread = ::CreateThread(nullptr, 0, DeleteOnItsThread, deletion.get(), 0, nullptr);
    if (!m_thread) return false;
    deletion.release();
    m_runs = runs.size();
    return true;
}

std::unique_ptr<Deletion> DeletionThread::Finished(LPARAM lParam)
{
    if (m_thread) ::CloseHandle(m_thread);
    m_thread = nullptr;
    m_runs = 0;
    return std::unique_ptr<Deletion>(reinterpret_cast<Deletion*>(lParam));
}
