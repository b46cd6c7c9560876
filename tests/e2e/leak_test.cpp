// Nothing the program loads for a command, a repaint, a print or a window it opens is left
// behind: its memory stays flat over a thousand steps, and so do its kernel handles and its
// windows. A leaked command-button picture (206 x 50 pixels) costs tens of kilobytes, a leaked
// background picture more than a megabyte, a report file left open a handle for good.
#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "tests/e2e/RunningProgram.h"
#include "tests/e2e/PrintDialog.h"
#include "tests/e2e/PrintJobs.h"
#include "tests/e2e/PrintPreview.h"

namespace e2e {
namespace {

constexpr int kRepeats = 1000;
// Room for the heap's own ups and downs; a leak of half a kilobyte per step already exceeds it.
constexpr SIZE_T kAllowedGrowth = 512 * 1024;

// The memory only this process uses, as Wine reads it from Linux: its anonymous resident pages.
class PrivateMemory {
public:
    explicit PrivateMemory(DWORD processId)
        : m_process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId))
    {
    }
    ~PrivateMemory()
    {
        if (m_process) CloseHandle(m_process);
    }
    PrivateMemory(const PrivateMemory&) = delete;
    PrivateMemory& operator=(const PrivateMemory&) = delete;

    // 0 when it cannot be read; a live process always uses some.
    SIZE_T Bytes() const
    {
        // The extended counters come back all zero from Wine for another process; these do not.
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        return m_process && GetProcessMemoryInfo(m_process, &counters, sizeof counters) ? counters.PagefileUsage : 0;
    }

private:
    HANDLE m_process;
};

std::string Kilobytes(SIZE_T bytes) { return std::to_string(bytes / 1024) + " KB"; }

// Runs `step` until the memory settles (the heaps and caches grow to their working size),
// then kRepeats more times, and tells how much the memory grew over those.
::testing::AssertionResult MemoryStaysFlat(DWORD processId, const std::function<::testing::AssertionResult(int)>& step)
{
    const PrivateMemory memory(processId);
    // Settled: no growth over the last tenth of the repeats. A heap takes a new megabyte-sized
    // part now and then while it grows to its working size (seen after 50 to 100 steps, 64-bit
    // Wine); a leak never settles, and is still measured over every repeat after the warm-up.
    SIZE_T tenthAgo = memory.Bytes();
    for (int i = 0; i < kRepeats / 2; ++i) {
        auto done = step(i);
        if (!done) return done;
        if ((i + 1) % (kRepeats / 10) != 0) continue;
        const SIZE_T now = memory.Bytes();
        if (now <= tenthAgo) break;
        tenthAgo = now;
    }
    const SIZE_T before = memory.Bytes();
    if (!before) return ::testing::AssertionFailure() << "cannot read the program's memory";
    for (int i = 0; i < kRepeats; ++i) {
        auto done = step(i);
        if (!done) return done << " (step " << i << ")";
    }
    const SIZE_T after = memory.Bytes();
    if (after > before + kAllowedGrowth)
        return ::testing::AssertionFailure() << "grew from " << Kilobytes(before) << " to " << Kilobytes(after) << ", "
                                             << (after - before) / kRepeats << " bytes per step";
    return ::testing::AssertionSuccess() << Kilobytes(before) << " to " << Kilobytes(after);
}

// What the program holds that a leak makes grow and the system can count from outside: its
// kernel handles (report files, folders being listed, threads, events) and its windows with
// their children. Wine answers 0 to every GetGuiResources question and keeps GDI handles in
// each process's own table, but lists every process's kernel handles. Both counts are noted
// after each step; the highest after the warm-up is what the check compares.
class ProgramObjects {
public:
    explicit ProgramObjects(DWORD processId) : m_processId(processId) {}

    void Note(int steps, int warmUpSteps)
    {
        const Counts now{KernelHandles(), Windows()};
        if (steps < warmUpSteps) {
            m_afterWarmUp = now;
            m_highest = now;
            return;
        }
        m_highest = {std::max(m_highest.handles, now.handles), std::max(m_highest.windows, now.windows)};
    }
    // Room for handles the system opens and closes on its own (the spooler, a list being read).
    ::testing::AssertionResult StayedFlat(int allowedHandles = 16) const
    {
        if (m_afterWarmUp.handles == 0) return ::testing::AssertionFailure() << "cannot read the program's handles";
        if (m_highest.handles > m_afterWarmUp.handles + allowedHandles || m_highest.windows > m_afterWarmUp.windows)
            return ::testing::AssertionFailure() << Report();
        return ::testing::AssertionSuccess() << Report();
    }
    std::string Report() const
    {
        return "handles " + std::to_string(m_afterWarmUp.handles) + " after warm-up, at most " +
               std::to_string(m_highest.handles) + " later; windows " + std::to_string(m_afterWarmUp.windows) +
               ", at most " + std::to_string(m_highest.windows);
    }

private:
    struct Counts {
        size_t handles = 0;
        size_t windows = 0;
    };

    // The system's list of every open kernel handle, as SystemHandleInformation gives it.
    struct HandleEntry {
        ULONG ownerProcessId;
        BYTE objectType;
        BYTE flags;
        USHORT value;
        PVOID object;
        ACCESS_MASK access;
    };
    struct HandleList {
        ULONG count;
        HandleEntry entries[1];
    };

    size_t KernelHandles() const
    {
        using QuerySystem = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
        static const auto query = reinterpret_cast<QuerySystem>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
        constexpr ULONG kSystemHandleInformation = 16;
        constexpr LONG kLengthMismatch = static_cast<LONG>(0xC0000004);
        if (!query) return 0;
        std::vector<BYTE> buffer(1 << 20);
        LONG status;
        while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), nullptr)) ==
               kLengthMismatch)
            buffer.resize(buffer.size() * 2);
        if (status != 0) return 0;
        const auto* list = reinterpret_cast<const HandleList*>(buffer.data());
        size_t count = 0;
        for (ULONG i = 0; i < list->count; ++i)
            if (list->entries[i].ownerProcessId == m_processId) ++count;
        return count;
    }

    static BOOL CALLBACK CountWindow(HWND, LPARAM counted)
    {
        ++*reinterpret_cast<size_t*>(counted);
        return TRUE;
    }

    size_t Windows() const
    {
        size_t count = 0;
        for (HWND window : WindowsOfProcess(m_processId)) {
            ++count;
            EnumChildWindows(window, CountWindow, reinterpret_cast<LPARAM>(&count));
        }
        return count;
    }

    DWORD m_processId;
    Counts m_afterWarmUp;
    Counts m_highest;
};

// Mardello started with a device that holds all three reports.
class Leak : public RunningProgram {
protected:
    void SetUp() override
    {
        m_device.Write("DTC.DAT", "P0301\tCylinder 1 misfire detected\r\nP0171\tSystem too lean, bank 1\r\n");
        m_device.Write("CDS.DAT", "RPM\t820\r\nCoolant\t88 C\r\nSpeed\t0 km/h\r\n");
        m_device.Write("FROZEN.DAT", "DTC\tP0301\r\nLoad\t23 %\r\n");
        StartWithDevice();
    }

    ::testing::AssertionResult Repaint()
    {
        // UpdateWindow sends the paint message and waits for it, and painting an invalid
        // window whose background is to be erased erases it first.
        if (!InvalidateRect(m_session.Dialog(), nullptr, TRUE) || !UpdateWindow(m_session.Dialog()))
            return ::testing::AssertionFailure() << "cannot repaint the window";
        return ::testing::AssertionSuccess();
    }
};

TEST_F(Leak, CommandClicks)
{
    // Every command that needs no other window: the four views, which read the report files
    // each time, and Copy.
    const int commands[] = {IDC_BTN_TROUBLE_CODE, IDC_BTN_LIVE_DATA, IDC_BTN_FROZEN_FRAME, IDC_BTN_PRINT_ALL,
                            IDC_BTN_COPY};
    ProgramObjects objects(m_session.Process().Id());
    int steps = 0;
    const auto flat = MemoryStaysFlat(m_session.Process().Id(), [&](int i) {
        auto done = ClickButton(m_session.Dialog(), commands[i % std::size(commands)]);
        if (++steps % 50 == 0) objects.Note(steps, kRepeats / 10);
        return done;
    });
    RecordProperty("memory", flat.message());
    RecordProperty("objects", objects.Report());
    EXPECT_TRUE(flat);
    // One handle kept by each view would add hundreds.
    EXPECT_TRUE(objects.StayedFlat());
    // The clicks were handled: the last one made Copy the active button.
    EXPECT_TRUE(ShowsOnlyBlue(m_session, IDC_BTN_COPY));
}

// The windows a command opens and closes: the history window, which lists the kept runs, and
// the print preview, which draws its page. Each is opened a hundred times.
TEST_F(Leak, WindowsOpenedAndClosed)
{
    constexpr int kOpenings = 100;
    ProgramObjects objects(m_session.Process().Id());
    for (int step = 0; step < kOpenings; ++step) {
        const HWND main = m_session.Dialog();
        ASSERT_TRUE(PostMessageA(main, WM_SYSCOMMAND, IDM_HISTORY_ENTRY, 0));
        HWND history = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (history = HistoryWindow(m_session)) != nullptr; })) << "step " << step;
        ASSERT_TRUE(WaitUntilIdle(history));
        ASSERT_TRUE(PostMessageA(history, WM_COMMAND, IDCANCEL, 0));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(history); })) << "step " << step;

        PrintPreview preview(m_session);
        ASSERT_TRUE(preview.Open()) << "step " << step;
        ASSERT_TRUE(PostMessageA(preview.Window(), WM_COMMAND, IDCANCEL, 0));
        ASSERT_TRUE(WaitUntil([&] { return preview.Closed(); })) << "step " << step;
        ASSERT_TRUE(WaitUntilIdle(main));
        objects.Note(step + 1, kOpenings / 10);
    }
    RecordProperty("objects", objects.Report());
    EXPECT_TRUE(objects.StayedFlat());
}

TEST_F(Leak, BackgroundErases)
{
    const auto flat = MemoryStaysFlat(m_session.Process().Id(), [&](int) { return Repaint(); });
    RecordProperty("memory", flat.message());
    EXPECT_TRUE(flat);
}

// A thousand mixed commands: the four views, Copy, repaints and, every 25th step, a print to
// the PDF printer through the print dialog. The memory stays flat, and afterwards every
// picture is right and Print and Copy still work.
TEST_F(Leak, MixedCommandsWithPrinting)
{
    PdfFolder pdfs;
    ASSERT_TRUE(pdfs.Known());
    const int commands[] = {IDC_BTN_TROUBLE_CODE, IDC_BTN_LIVE_DATA, IDC_BTN_FROZEN_FRAME, IDC_BTN_PRINT_ALL,
                            IDC_BTN_COPY, 0};
    int prints = 0;
    const auto flat = MemoryStaysFlat(m_session.Process().Id(), [&](int i) {
        ::testing::AssertionResult done = ::testing::AssertionSuccess();
        if (i % 25 == 24) {
            ++prints;
            done = PrintWithOk(m_session);
        } else if (const int command = commands[i % std::size(commands)]) {
            done = ClickButton(m_session.Dialog(), command);
        } else {
            done = Repaint();
        }
        return done;
    });
    RecordProperty("memory", flat.message());
    EXPECT_TRUE(flat);
    // No handle mark here: Wine's print dialog and printer driver make and keep objects of their
    // own. Commands are checked by their handles in CommandClicks, printing by the memory.

    // Every job came out, so none is left for a later test to take for its own.
    for (int job = 0; job < prints; ++job) ASSERT_TRUE(pdfs.WaitForNewJob()) << "job " << job << " of " << prints;
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_LIVE_DATA));
    EXPECT_TRUE(ShowsOnlyBlue(m_session, IDC_BTN_LIVE_DATA));
    const DWORD clipboard = GetClipboardSequenceNumber();
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_COPY));
    EXPECT_TRUE(WaitForClipboardChange(clipboard));
    ASSERT_TRUE(PrintWithOk(m_session));
    EXPECT_TRUE(pdfs.WaitForNewJob()) << "the last print";
}

}  // namespace
}  // namespace e2e
