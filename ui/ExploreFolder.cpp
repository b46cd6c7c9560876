#include "ui/ExploreFolder.h"

#include <objbase.h>
#include <shellapi.h>

#include <memory>
#include <new>

#include "framework/SystemLibrary.h"

namespace {

using Execute = decltype(&::ShellExecuteA);

struct Exploring {
    Execute execute;
    HWND owner;
    CString folder;
};

// Not waited for: a share that hangs holds it up for as long, and it ends with the program.
DWORD WINAPI ExploreOnItsThread(void* parameter)
{
    const std::unique_ptr<Exploring> exploring(static_cast<Exploring*>(parameter));
    static const auto initialize = LoadSystemFunction<decltype(&::CoInitializeEx)>("ole32.dll", "CoInitializeEx");
    static const auto uninitialize = LoadSystemFunction<decltype(&::CoUninitialize)>("ole32.dll", "CoUninitialize");
    // The shell's extensions may need COM on the thread that calls it.
    const bool initialized = initialize && uninitialize &&
                             SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    exploring->execute(exploring->owner, "explore", exploring->folder, nullptr, nullptr, SW_SHOWNORMAL);
    if (initialized) uninitialize();
    return 0;
}

}  // namespace

void ExploreFolder(HWND owner, const CString& folder)
{
    static const auto execute = LoadSystemFunction<Execute>("shell32.dll", "ShellExecuteA");
    if (!execute) return;
    std::unique_ptr<Exploring> exploring(new (std::nothrow) Exploring{execute, owner, folder});
    if (!exploring) return;
    const HANDLE thread = ::CreateThread(nullptr, 0, ExploreOnItsThread, exploring.get(), 0, nullptr);
    if (!thread) return;
    exploring.release();
    ::CloseHandle(thread);
}
