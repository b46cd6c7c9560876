#include "tests/e2e/harness/TopLevelWindows.h"

namespace e2e {

namespace {

struct Search {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId)
        search->found.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> WindowsOfProcess(DWORD processId)
{
    Search search{processId, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ClassOf(HWND window)
{
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

HWND FindVisibleWindow(DWORD processId, const char* className, HWND owner)
{
    for (HWND window : WindowsOfProcess(processId)) {
        if (!IsWindowVisible(window))
            continue;
        if (className && lstrcmpiA(ClassOf(window).c_str(), className) != 0)
            continue;
        if (owner && GetWindow(window, GW_OWNER) != owner)
            continue;
        return window;
    }
    return nullptr;
}

HWND WaitForVisibleWindow(DWORD processId, const char* className, HWND owner, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindVisibleWindow(processId, className, owner)) != nullptr; }, timeoutMs);
    return found;
}

}  // namespace e2e
