// Following the device while the program runs: plugged in after the start, pulled out, swapped
// for another; what stays put meanwhile (the device in use, a typed VIN, the viewer, a running
// command); and what the program must not do to a drive (stop at an unreadable one, hold a file).
#include <gtest/gtest.h>
#include <windows.h>
#include <dbt.h>

#include <string>

#include "tests/e2e/PrintDialog.h"
#include "tests/e2e/RunningProgram.h"
#include "tests/e2e/harness/ProcessProbe.h"

namespace e2e {
namespace {

const std::string kVinA = "LSVAU2180N2183294";
const std::string kVinB = "WDB2030461A123456";
const std::string kDtc = "P0301\tMisfire\r\n";
const std::string kDtcView = "\r\nP0301    Misfire";
// Long enough for three looks at the drives: what must not happen has had its chance.
constexpr DWORD kStaysMs = 3000;

class DeviceFollow : public RunningProgram {
protected:
    // The status line as the screen shows it.
    std::optional<ScreenPicture> StatusPicture() const { return CaptureSettledWindow(m_session.Control(IDC_STATIC_STATUS)); }
    // True when the status or the VIN box changes within kStaysMs.
    bool Changes() const
    {
        const std::string status = Status(), vin = Vin();
        return WaitUntil([&] { return Status() != status || Vin() != vin; }, kStaysMs);
    }

    DeviceFolder m_other{kVinB};
};

TEST_F(DeviceFollow, FollowsDevicesPluggedInAndPulledOut)
{
    enum class Do { PlugFirst, PlugOther, Pull };
    struct Step {
        const char* what;
        Do action;
        char letter;
        const char* status;
        const std::string& vin;  // the VIN box keeps the last device's VIN once it is pulled out
    };
    const Step steps[] = {
        {"plugged in after the start", Do::PlugFirst, 'E', kReady, kVinA},
        {"pulled out", Do::Pull, 'E', kChecking, kVinA},
        {"another device", Do::PlugOther, 'F', kReady, kVinB},
        {"that one pulled out", Do::Pull, 'F', kChecking, kVinB},
        {"the first again, in another letter", Do::PlugFirst, 'G', kReady, kVinA},
    };
    ASSERT_TRUE(m_session.Start());
    ASSERT_TRUE(Shows(kChecking, ""));
    const auto checking = StatusPicture();
    ASSERT_TRUE(checking.has_value());
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        if (step.action == Do::Pull) PullOut(step.letter);
        else PlugIn(step.letter, step.action == Do::PlugFirst ? m_device : m_other);
        ASSERT_TRUE(Shows(step.status, step.vin));
        // The see-through status line is painted afresh, with nothing of the old text under it.
        if (step.status == kChecking) {
            const auto now = StatusPicture();
            EXPECT_TRUE(now && now->pixels == checking->pixels) << "the status line does not look as at the start";
        }
    }
    SaveScreenshot(m_session.Dialog(), "device-plugged-in-while-running");
}

TEST_F(DeviceFollow, PulledOutKeepsVinBoxAndViewerAndReadsTheCurrentDrive)
{
    struct RemoveAtEnd {
        ~RemoveAtEnd()
        {
            DeleteFileA("C:\\PRINT\\DTC.DAT");
            RemoveDirectoryA("C:\\PRINT");
        }
    } removeAtEnd;
    m_device.Write("DTC.DAT", kDtc);
    StartWithDevice();
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE));
    ASSERT_EQ(kDtcView, Viewer());
    SendMessageA(m_session.Control(IDC_EDIT_VIN), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    ASSERT_TRUE(TypeText(m_session.Dialog(), IDC_EDIT_VIN, "TYPED"));

    PullOut();
    EXPECT_TRUE(Shows(kChecking, "TYPED")) << "a typed VIN stays too";
    EXPECT_EQ(kDtcView, Viewer());

    ASSERT_TRUE(CreateDirectoryA("C:\\PRINT", nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    HANDLE file = CreateFileA("C:\\PRINT\\DTC.DAT", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, "ON C:\r\n", 7, &written, nullptr);
    CloseHandle(file);
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE));
    EXPECT_EQ("\r\nON C:", Viewer()) << "\\PRINT\\DTC.DAT on the current drive";
    EXPECT_EQ(kChecking, Status());
}

// The device in use never changes under the user's hands, nor does a VIN typed over it; once
// it goes, the first device in drive order is taken, as at start-up.
TEST_F(DeviceFollow, DeviceInUseStaysUntilItGoes)
{
    StartWithDevice();
    SendMessageA(m_session.Control(IDC_EDIT_VIN), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    ASSERT_TRUE(TypeText(m_session.Dialog(), IDC_EDIT_VIN, "TYPED"));
    PlugIn('D', m_other);
    EXPECT_FALSE(Changes()) << "now " << Status() << ", " << Vin();
    EXPECT_EQ("TYPED", Vin());
    PullOut('E');
    EXPECT_TRUE(Shows(kReady, kVinB));
}

// A volume often comes before its files can be read: the search is tried again for a while.
TEST_F(DeviceFollow, PrintFolderThatAppearsSoonAfterItsDriveIsFound)
{
    ScratchFolder card;
    ASSERT_TRUE(m_session.Start());
    ASSERT_TRUE(m_drives.Define('E', DriveKind::Removable, card.UnixPath()));
    // The files come two seconds after the letter: two searches have found nothing by then.
    Sleep(2000);
    ASSERT_TRUE(card.WriteFile("PRINT\\VIN.DAT", kVinB + "\r\n"));
    EXPECT_TRUE(Shows(kReady, kVinB, 5000));
}

// Media into a card reader keeps the drive list as it was: only the system's message tells.
TEST_F(DeviceFollow, DeviceChangeMessageForMediaInAnExistingLetter)
{
    ScratchFolder card;
    ASSERT_TRUE(m_drives.Define('E', DriveKind::Removable, card.UnixPath()));
    ASSERT_TRUE(m_session.Start());
    ASSERT_TRUE(card.WriteFile("PRINT\\VIN.DAT", kVinB + "\r\n"));
    EXPECT_FALSE(Changes()) << "found without the message";

    DEV_BROADCAST_VOLUME volume{};
    volume.dbcv_size = sizeof volume;
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = 1u << ('E' - 'A');
    volume.dbcv_flags = DBTF_MEDIA;
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(m_session.Dialog(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL,
                                    reinterpret_cast<LPARAM>(&volume), SMTO_NORMAL, kDefaultTimeoutMs, &answer));
    EXPECT_TRUE(Shows(kReady, kVinB));
}

// Print's dialog runs its own loop: a device pulled out and another plugged in meanwhile
// change nothing until Print has finished, and then they are followed as usual.
TEST_F(DeviceFollow, ChangesDuringACommandWaitForItsEnd)
{
    StartWithDevice();
    const HWND printDialog = ClickPrint(m_session);
    ASSERT_TRUE(printDialog);
    PullOut('E');
    PlugIn('F', m_other);
    EXPECT_FALSE(Changes()) << "now " << Status() << ", " << Vin();
    ASSERT_TRUE(Answer(m_session, printDialog, IDCANCEL));
    EXPECT_TRUE(Shows(kReady, kVinB));
}

// An empty card-reader slot is a removable drive whose root cannot be read. Windows would stop
// the program with a box of its own for it unless the process's error mode says not to.
TEST_F(DeviceFollow, UnreadableRemovableDriveIsPassedOverQuietly)
{
    ASSERT_TRUE(m_session.Start());
    const ProcessProbe probe(m_session.Dialog(), InstalledProbeLibrary("C:\\mardello-e2e"));
    ASSERT_TRUE(probe.Ready());
    const UINT wanted = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;
    EXPECT_EQ(wanted, probe.Ask(ProbeQuestion::ErrorMode).value_or(0) & wanted);

    ASSERT_TRUE(m_drives.Define('D', DriveKind::Removable, m_device.Unix() + "/no-such-medium"));
    PlugIn('F');
    EXPECT_TRUE(Shows(kReady, kVinA));
}

// Nothing keeps a report open between commands, so the system may always let the device go.
TEST_F(DeviceFollow, NoReportIsHeldOpenAfterACommand)
{
    const char* const reports[] = {"VIN.DAT", "DTC.DAT", "CDS.DAT", "FROZEN.DAT"};
    for (const char* report : reports)
        if (std::string(report) != "VIN.DAT") m_device.Write(report, kDtc);
    // The first file that another process cannot open for itself alone; empty when none.
    const auto firstHeld = [&]() -> std::string {
        for (const char* report : reports) {
            HANDLE file = CreateFileA(m_device.FilePath(report).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            if (file == INVALID_HANDLE_VALUE) return report;
            CloseHandle(file);
        }
        return "";
    };
    {
        HANDLE held = CreateFileA(m_device.FilePath("CDS.DAT").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
        EXPECT_EQ("CDS.DAT", firstHeld()) << "the check does not see a file held open";
        CloseHandle(held);
    }
    StartWithDevice();
    EXPECT_EQ("", firstHeld()) << "after the start";
    for (int button : {IDC_BTN_TROUBLE_CODE, IDC_BTN_LIVE_DATA, IDC_BTN_FROZEN_FRAME, IDC_BTN_PRINT_ALL, IDC_BTN_COPY}) {
        ASSERT_TRUE(ClickButton(m_session.Dialog(), button));
        EXPECT_EQ("", firstHeld()) << "after button " << button;
    }
    const HWND printDialog = ClickPrint(m_session);
    ASSERT_TRUE(printDialog);
    ASSERT_TRUE(Answer(m_session, printDialog, IDCANCEL));
    EXPECT_EQ("", firstHeld()) << "after Print";
}

}  // namespace
}  // namespace e2e
