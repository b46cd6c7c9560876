// A library that the benchmark loads into Mardello to see two moments from inside it: when
// Print has laid out its pages and starts the job (StartDocA), and when the preview puts its
// page on the screen (BitBlt, which nothing else in the program calls). It replaces the two
// entries in Mardello's import table. The job is refused there, so the timed Print lays out
// the whole report and prints nothing.
#include <windows.h>

#include <cstring>

#include "bench/print_timing_hook.h"

namespace {

decltype(&::BitBlt) g_bitBlt = nullptr;

PrintTimes* SharedTimes()
{
    static PrintTimes* times = [] {
        HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, kPrintTimingMappingName);
        return mapping ? static_cast<PrintTimes*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(PrintTimes)))
                       : nullptr;
    }();
    return times;
}

long long Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

int WINAPI TimedStartDoc(HDC, const DOCINFOA*)
{
    if (PrintTimes* times = SharedTimes()) times->laidOut = Now();
    return SP_ERROR;
}

BOOL WINAPI TimedBitBlt(HDC dc, int x, int y, int cx, int cy, HDC source, int x1, int y1, DWORD rop)
{
    const BOOL drawn = g_bitBlt(dc, x, y, cx, cy, source, x1, y1, rop);
    PrintTimes* times = SharedTimes();
    if (times && !times->firstPageDrawn) times->firstPageDrawn = Now();
    return drawn;
}

// The slot of `function` from `library` in the import table of the program's own module.
void** ImportSlot(const char* library, const char* function)
{
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress) return nullptr;
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name; ++entry) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), library) != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* named = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(named->Name), function) == 0)
                return reinterpret_cast<void**>(&slots->u1.Function);
        }
    }
    return nullptr;
}

void* Replace(const char* library, const char* function, void* replacement)
{
    void** slot = ImportSlot(library, function);
    DWORD protection = 0;
    if (!slot || !VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection)) return nullptr;
    void* original = *slot;
    *slot = replacement;
    VirtualProtect(slot, sizeof *slot, protection, &protection);
    return original;
}

void SetTraps()
{
    if (g_bitBlt) return;
    g_bitBlt = reinterpret_cast<decltype(&::BitBlt)>(Replace("gdi32.dll", "BitBlt", reinterpret_cast<void*>(&TimedBitBlt)));
    Replace("gdi32.dll", "StartDocA", reinterpret_cast<void*>(&TimedStartDoc));
}

}  // namespace

// Called in Mardello's thread before each message sent to one of its windows is handled.
extern "C" __declspec(dllexport) LRESULT CALLBACK PrintTimingHook(int code, WPARAM wParam, LPARAM lParam)
{
    static const UINT load = RegisterWindowMessageA(kPrintTimingMessageName);
    if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(lParam)->message == load) SetTraps();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
