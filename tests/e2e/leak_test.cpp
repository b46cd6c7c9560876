// Nothing the program loads for a command or a repaint is left behind: its memory stays flat
// over a thousand command clicks and a thousand background erases. Wine answers 0 to every
// GetGuiResources question, so the process's own memory is what tells; a leaked command-button
// picture (205 x 50 pixels) costs it tens of kilobytes, a leaked background picture more than a
// megabyte.
#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>

#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "tests/e2e/MardelloSession.h"

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
    for (int i = 0; i < kRepeats / 10; ++i) {
        auto done = step(i);
        if (!done) return done;
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

TEST(Leak, CommandClicks)
{
    DeviceFolder device;
    device.Write("DTC.DAT", "P0301\tCylinder 1 misfire detected\r\nP0171\tSystem too lean, bank 1\r\n");
    device.Write("CDS.DAT", "RPM\t820\r\nCoolant\t88 C\r\nSpeed\t0 km/h\r\n");
    device.Write("FROZEN.DAT", "DTC\tP0301\r\nLoad\t23 %\r\n");
    DriveTable drives;
    ASSERT_TRUE(drives.Define('E', DriveKind::Removable, device.Unix()));
    MardelloSession session;
    ASSERT_TRUE(session.Start());

    // Every command that needs no other window: the four views and Copy.
    const int commands[] = {IDC_BTN_TROUBLE_CODE, IDC_BTN_LIVE_DATA, IDC_BTN_FROZEN_FRAME, IDC_BTN_PRINT_ALL,
                            IDC_BTN_COPY};
    const auto flat = MemoryStaysFlat(session.Process().Id(), [&](int i) {
        return ClickButton(session.Dialog(), commands[i % std::size(commands)]);
    });
    RecordProperty("memory", flat.message());
    EXPECT_TRUE(flat);
    // The clicks were handled: the last one made Copy the active button.
    EXPECT_EQ(std::vector<int>{IDC_BTN_COPY}, BlueButtons(session));
}

TEST(Leak, BackgroundErases)
{
    MardelloSession session;
    ASSERT_TRUE(session.Start());
    const HWND dialog = session.Dialog();
    // UpdateWindow sends the paint message and waits for it, and painting an invalid
    // window whose background is to be erased erases it first.
    const auto flat = MemoryStaysFlat(session.Process().Id(), [&](int) {
        if (!InvalidateRect(dialog, nullptr, TRUE) || !UpdateWindow(dialog))
            return ::testing::AssertionFailure() << "cannot repaint the window";
        return ::testing::AssertionSuccess();
    });
    RecordProperty("memory", flat.message());
    EXPECT_TRUE(flat);
}

}  // namespace
}  // namespace e2e
