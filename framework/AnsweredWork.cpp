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

// Enough for a read's buffer; a thread left hanging on a share then holds little address space.
constexpr SIZE_T kErrandStack = 256 * 1024;
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
    // A thread of its own, not one of the system's pool: under Wine the pool's threads, made
    // anew for work that may last long, kept the program's memory growing; a thread costs 0.7 ms.
    const HANDLE thread = errand->done ? ::CreateThread(nullptr, kErrandStack, RunOnItsThread, forThread.get(),
                                                        STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr)
                                       : nullptr;
    if (!thread) {
        Run(*errand);
        return true;
    }
    forThread.release();
    ::CloseHandle(thread);
    ProgressPatience patience(::GetTickCount64());
    while (::WaitForSingleObject(errand->done, kLookEveryMs) == WAIT_TIMEOUT)
        if (!patience.WaitOn(errand->progress.Moves(), ::GetTickCount64())) return false;
    return true;
}
