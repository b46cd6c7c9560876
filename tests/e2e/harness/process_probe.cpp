// The hook library that ProcessProbe loads into the program under test. It answers each probe
// message by replying to its sender, before the window it was sent to sees it.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstring>

#include "tests/e2e/harness/ProbeQuestions.h"

namespace {

HGLOBAL WINAPI NoGlobalAlloc(UINT, SIZE_T)
{
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
}

// The program's own calls to `function`, as its import table routes them, go to `to`; what
// they went to before, or null when the program imports no such function.
void* RouteImport(const char* function, void* to)
{
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress) return nullptr;
    void* before = nullptr;
    for (auto* module = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); module->Name; ++module) {
        if (!module->OriginalFirstThunk) continue;
        const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0) continue;
            DWORD protection = 0;
            if (!VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &protection)) continue;
            before = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<decltype(slots->u1.Function)>(to);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
        }
    }
    return before;
}

void* g_globalAlloc = nullptr;  // the program's GlobalAlloc while NoGlobalAlloc stands in for it

DWORD Answer(e2e::ProbeQuestion question)
{
    switch (question) {
    case e2e::ProbeQuestion::Load: return 1;
    case e2e::ProbeQuestion::ErrorMode: return GetErrorMode();
    case e2e::ProbeQuestion::CpuMilliseconds: {
        FILETIME created, ended, kernel, user;
        if (!GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user)) return MAXDWORD;
        const auto units = [](const FILETIME& t) { return (ULONGLONG{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
        return static_cast<DWORD>((units(kernel) + units(user)) / 10000);
    }
    case e2e::ProbeQuestion::NoMemoryBlocks: {
        void* before = RouteImport("GlobalAlloc", reinterpret_cast<void*>(&NoGlobalAlloc));
        if (!g_globalAlloc && before != reinterpret_cast<void*>(&NoGlobalAlloc)) g_globalAlloc = before;
        return before ? 1 : 0;
    }
    case e2e::ProbeQuestion::PeakMemoryKilobytes: {
        PROCESS_MEMORY_COUNTERS counters{};
        if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return MAXDWORD;
        return static_cast<DWORD>(std::max(counters.PeakWorkingSetSize, counters.PeakPagefileUsage) / 1024);
    }
    }
    return MAXDWORD;
}

}  // namespace

// The program's own GlobalAlloc is put back before this library leaves it.
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void*)
{
    if (reason == DLL_PROCESS_DETACH && g_globalAlloc) RouteImport("GlobalAlloc", g_globalAlloc);
    return TRUE;
}

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int code, WPARAM wParam, LPARAM lParam)
{
    static const UINT ask = RegisterWindowMessageA(e2e::kProbeMessageName);
    if (code == HC_ACTION) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (sent->message == ask && InSendMessage()) ReplyMessage(Answer(static_cast<e2e::ProbeQuestion>(sent->wParam)));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
