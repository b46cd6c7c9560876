#include "framework/AnsweredWork.h"

#include <windows.h>

#include <new>

#include "framework/ProgressPatience.h"

namespace {

// Shared by the caller and the thread; the last of the two to let go frees it.
struct Errand {
    AnsweredWork work;
    WorkProgress progress;
    HANDLE done = nullptr;

    ~Errand()
    {
        if (done) ::CloseHandle(done);
    }
};

constexpr DWORD kLookEveryMs = 50;

void Run(Errand& errand)
{
    // Exceptions never cross the thread's start: work that throws has ended all the same.
    try {
        errand.work(errand.progress);
    } catch (...) {
    }
}

DWORD WINAPI RunOnItsThread(void* parameter)
{
    const std::unique_ptr<std::shared_ptr<Errand>> errand(static_cast<std::shared_ptr<Errand>*>(parameter));
    Run(**errand);
    ::SetEvent((*errand)->done);
    return 0;
}

}  // namespace

bool DoWhileAnswered(AnsweredWork work)
{
    std::shared_ptr<Errand> errand;
    std::unique_ptr<std::shared_ptr<Errand>> forThread;
    try {
        errand = std::make_shared<Errand>();
        errand->work = std::move(work);
        forThread.reset(new std::shared_ptr<Errand>(errand));
    } catch (const std::bad_alloc&) {
        return false;
    }
    errand->done = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    // A thread of the system's pool: under Wine, starting a thread of our own costs 0.7 ms, which
    // every report of the device would pay. Long: a hanging errand has the pool add another.
    if (!errand->done || !::QueueUserWorkItem(RunOnItsThread, forThread.get(), WT_EXECUTELONGFUNCTION)) {
        Run(*errand);
        return true;
    }
    forThread.release();
    ProgressPatience patience(::GetTickCount64());
    while (::WaitForSingleObject(errand->done, kLookEveryMs) == WAIT_TIMEOUT)
        if (!patience.WaitOn(errand->progress.Moves(), ::GetTickCount64())) return false;
    return true;
}
