#include "bench/KeepingCost.h"

#include <windows.h>

#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

#include "bench/Require.h"
#include "bench/Stopwatch.h"
#include "tests/e2e/RunningProgram.h"
#include "tests/e2e/harness/ProcessProbe.h"

namespace bench {

namespace {

constexpr ULONGLONG kMegabyte = 1024 * 1024;
constexpr DWORD kKeepMs = 180000;

// The bytes the history holds in runs, and in temporary folders a keep writes first.
struct HistoryBytes {
    ULONGLONG kept = 0;
    ULONGLONG keeping = 0;
};

void AddUp(const std::string& folder, bool keeping, HistoryBytes& bytes)
{
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const ULONGLONG size = (ULONGLONG{found.nFileSizeHigh} << 32) | found.nFileSizeLow;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            AddUp(folder + "\\" + name, keeping || name.rfind("~keeping ", 0) == 0, bytes);
        else
            (keeping ? bytes.keeping : bytes.kept) += size;
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

HistoryBytes InHistory()
{
    HistoryBytes bytes;
    AddUp(e2e::HistoryFolder(), false, bytes);
    return bytes;
}

std::string Left(ULONGLONG whole)
{
    const HistoryBytes bytes = InHistory();
    std::string left = bytes.kept == whole ? "the run kept whole"
                       : bytes.kept == 0   ? "no run"
                                           : "HALF A RUN (" + std::to_string(bytes.kept) + " of " + std::to_string(whole) + " bytes)";
    if (bytes.keeping) left += ", " + std::to_string(bytes.keeping / kMegabyte) + " MB left in a temporary folder";
    return left;
}

// A device with the VIN and `reports` of the given sizes in MB; the run's bytes.
ULONGLONG WriteDevice(const e2e::ScratchFolder& device, const std::string& vin,
                      const std::vector<std::pair<const char*, ULONGLONG>>& reports)
{
    const std::string vinFile = vin + "\r\n";
    Require(device.WriteFile("PRINT\\VIN.DAT", vinFile), "VIN.DAT");
    ULONGLONG whole = vinFile.size();
    for (const auto& [name, megabytes] : reports) {
        Require(device.WriteFile(std::string("PRINT\\") + name, std::string(megabytes * kMegabyte, 'x')), name);
        whole += megabytes * kMegabyte;
    }
    return whole;
}

// The device comes only once the program runs: its letter must be new then, or the program,
// which looks for a device when the drive list changes, would not look.
HWND Start(e2e::Program& program, const KeepingSetup& setup)
{
    Require(setup.drives.Remove(setup.letter), "free the device's letter");
    e2e::RemoveTree(e2e::HistoryFolder());
    Require(program.Start(setup.mardello, setup.workingDirectory), "start Mardello");
    const HWND dialog = e2e::WaitForVisibleWindow(program.Id(), e2e::kDialogClass);
    Require(dialog != nullptr, "Mardello did not start");
    return dialog;
}

// The peak before the device came and once its run is kept, in KB.
std::pair<DWORD, DWORD> PeakMemory(const KeepingSetup& setup, const e2e::ScratchFolder& device, ULONGLONG whole)
{
    e2e::Program program;
    const HWND dialog = Start(program, setup);
    const e2e::ProcessProbe probe(dialog, setup.probeLibrary);
    Require(probe.Ready(), "the probe inside Mardello");
    const std::optional<DWORD> idle = probe.Ask(e2e::ProbeQuestion::PeakMemoryKilobytes);
    Require(setup.drives.Define(setup.letter, e2e::DriveKind::Removable, device.UnixPath()), "plug the device in");
    const bool kept = e2e::WaitUntil([&] { return InHistory().kept == whole || !program.Running(); }, kKeepMs);
    const std::optional<DWORD> peak = program.Running() ? probe.Ask(e2e::ProbeQuestion::PeakMemoryKilobytes) : std::nullopt;
    Require(setup.drives.Remove(setup.letter), "take the device away");
    Require(kept && idle && peak, "the run was not kept: " + Left(whole) + (program.Running() ? "" : "; Mardello ended"));
    return {*idle, *peak};
}

// From the window closed, once a quarter of the run is in the temporary folder, to the process's end.
double ClosingWhileKeeping(const KeepingSetup& setup, const e2e::ScratchFolder& device, ULONGLONG whole, std::string& left)
{
    e2e::Program program;
    const HWND dialog = Start(program, setup);
    Require(setup.drives.Define(setup.letter, e2e::DriveKind::Removable, device.UnixPath()), "plug the device in");
    const bool copying = e2e::WaitUntil([&] { return InHistory().keeping >= whole / 4; }, kKeepMs);
    Stopwatch clock;
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(program.Handle(), 120000) == WAIT_OBJECT_0;
    const double ms = clock.ElapsedMs();
    Require(setup.drives.Remove(setup.letter), "take the device away");
    Require(copying, "the keep was not seen under way: " + Left(whole));
    Require(ended, "Mardello did not end within 2 minutes of closing");
    left = Left(whole);
    return ms;
}

}  // namespace

void BenchKeeping(const KeepingSetup& setup)
{
    std::printf("Keeping large runs with %s\n", setup.mardello.c_str());
    {
        e2e::ScratchFolder device;
        const ULONGLONG whole = WriteDevice(device, setup.vin, {{"CDS.DAT", 200}, {"FROZEN.DAT", 200}});
        const auto [idle, peak] = PeakMemory(setup, device, whole);
        std::printf("  peak memory keeping two 200 MB reports: %lu MB, before the device came %lu MB (+%ld MB)\n",
                    peak / 1024, idle / 1024, (static_cast<long>(peak) - static_cast<long>(idle)) / 1024);
    }
    // Three 250 MB reports are about the most a device holds; a fast disk copies even those within
    // the time closing waits, so what each close left is said beside its time.
    using Reports = std::vector<std::pair<const char*, ULONGLONG>>;
    const std::pair<const char*, Reports> runs[] = {
        {"a 200 MB run", {{"CDS.DAT", 200}}},
        {"a 750 MB run", {{"DTC.DAT", 250}, {"CDS.DAT", 250}, {"FROZEN.DAT", 250}}},
    };
    for (const auto& [what, reports] : runs) {
        e2e::ScratchFolder device;
        const ULONGLONG whole = WriteDevice(device, setup.vin, reports);
        std::string left;
        const double ms = ClosingWhileKeeping(setup, device, whole, left);
        std::printf("  closing a quarter into keeping %s: ended after %.0f ms, leaving %s\n", what, ms, left.c_str());
    }
    e2e::RemoveTree(e2e::HistoryFolder());
}

}  // namespace bench
