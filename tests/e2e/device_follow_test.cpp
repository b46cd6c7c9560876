// Following the device while the program runs: plugged in after the start, pulled out, swapped
// for another; what stays put meanwhile (the device in use, a typed VIN, a running command); and what the program must not do to a drive (stop at an unreadable one, hold a file).
#include <gtest/gtest.h>
#include <windows.h>
#include <dbt.h>

#include <fstream>
#include <string>

#include "tests/e2e/PrintDialog.h"
#include "tests/e2e/RunningProgram.h"
#include "tests/e2e/Scenario.h"
#include "tests/e2e/harness/ProcessProbe.h"

namespace e2e {
namespace {

const std::string kVinA = "LSVAU2180N2183294";
const std::string kVinB = "WDB2030461A123456";
const std::string kDtc = "P0301\tMisfire\r\n";
const std::string kDtcView = "P0301    Misfire";
// Long enough for three looks at the drives: what must not happen has had its chance.
constexpr DWORD kStaysMs = 3000;

class DeviceFollow : public RunningProgram {
protected:
    bool Changes() const
    {
        const std::string status = Status(), vin = Vin();
        return WaitUntil([&] { return Status() != status || Vin() != vin; }, kStaysMs);
    }
    void TypeVin()
    {
        SendMessageA(m_session.Control(IDC_EDIT_VIN), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        ASSERT_TRUE(TypeText(m_session.Dialog(), IDC_EDIT_VIN, "TYPED"));
    }

    DeviceFolder m_other{kVinB};
};

// Pulled out, a device leaves the VIN box (read or typed) as it was and empties the viewer; the
// view commands then read \PRINT on the current drive, C: (the program starts in C:\mardello-e2e).
TEST_F(DeviceFollow, FollowsDevicesPluggedInAndPulledOut)
{
    static const char* const kOnC = "C:\\PRINT\\DTC.DAT";
    struct RemoveAtEnd {
        ~RemoveAtEnd() { DeleteFileA(kOnC), RemoveDirectoryA("C:\\PRINT"); }
    } removeAtEnd;
    const DeviceFolder noVin{""};
    // `plugged` null: the drive is pulled out.
    struct Step { const char* what; char letter; const DeviceFolder* plugged; const char* status; const std::string& vin; };
    const Step steps[] = {
        {"plugged in after the start", 'E', &m_device, kReady, kVinA},
        {"pulled out", 'E', nullptr, kChecking, kVinA},
        {"another device", 'F', &m_other, kReady, kVinB},
        {"that one pulled out", 'F', nullptr, kChecking, kVinB},
        {"a device without a VIN file shows no VIN", 'H', &noVin, kReady, ""},
        {"that one pulled out", 'H', nullptr, kChecking, ""},
        {"the first again, in another letter", 'G', &m_device, kReady, kVinA},
    };
    m_device.Write("DTC.DAT", kDtc);
    ASSERT_TRUE(m_session.Start());
    ASSERT_TRUE(Shows(kChecking, ""));
    const auto statusLine = [&] { return CaptureSettledWindow(m_session.Control(IDC_STATIC_STATUS)); };
    const auto checking = statusLine();
    ASSERT_TRUE(checking.has_value());
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        if (step.plugged) PlugIn(step.letter, *step.plugged);
        else PullOut(step.letter);
        ASSERT_TRUE(Shows(step.status, step.vin));
        // The see-through status line is painted afresh, with nothing of the old text under it.
        if (step.status == kChecking) {
            const auto now = statusLine();
            EXPECT_TRUE(now && now->pixels == checking->pixels) << "the status line does not look as at the start";
        }
    }
    SaveScreenshot(m_session.Dialog(), "device-plugged-in-while-running");

    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE));
    ASSERT_EQ(kDtcView, Viewer());
    TypeVin();
    PullOut('G');
    EXPECT_TRUE(Shows(kChecking, "TYPED")) << "a typed VIN stays too";
    EXPECT_EQ("", Viewer()) << "the pulled-out device's reports are not printed under another VIN";
    ASSERT_TRUE(CreateDirectoryA("C:\\PRINT", nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_TRUE(std::ofstream(kOnC, std::ios::binary) << "ON C:\r\n");
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE));
    EXPECT_EQ("ON C:", Viewer()) << "\\PRINT\\DTC.DAT on the current drive";
    EXPECT_EQ(kChecking, Status());
}

// The device in use never changes under the user's hands, nor does a VIN typed over it; once
// it goes, the first device in drive order is taken, as at start-up. Print's dialog runs its own
// loop: a device pulled out and another plugged in meanwhile wait until Print has finished.
TEST_F(DeviceFollow, DeviceInUseStaysUntilItGoesAndChangesWaitForACommandsEnd)
{
    StartWithDevice();
    TypeVin();
    PlugIn('D', m_other);
    EXPECT_FALSE(Changes()) << "now " << Status() << ", " << Vin();
    EXPECT_EQ("TYPED", Vin());
    PullOut('E');
    ASSERT_TRUE(Shows(kReady, kVinB));

    const HWND printDialog = ClickPrint(m_session);
    ASSERT_TRUE(printDialog);
    PullOut('D');
    PlugIn('F');
    EXPECT_FALSE(Changes()) << "during Print, now " << Status() << ", " << Vin();
    ASSERT_TRUE(Answer(m_session, printDialog, IDCANCEL));
    EXPECT_TRUE(Shows(kReady, kVinA));
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

// Media into a card reader keeps the drive list as it was: only the system's messages tell,
// of the card that arrives and of the one that was taken out of the same letter.
TEST_F(DeviceFollow, DeviceChangeMessagesForMediaInAnExistingLetter)
{
    const auto announce = [&](WPARAM event) {
        DEV_BROADCAST_VOLUME volume{sizeof volume, DBT_DEVTYP_VOLUME, 0, 1u << ('E' - 'A'), DBTF_MEDIA};
        DWORD_PTR answer = 0;
        return SendMessageTimeoutA(m_session.Dialog(), WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&volume),
                                   SMTO_NORMAL, kDefaultTimeoutMs, &answer) != 0;
    };
    ScratchFolder card;
    ASSERT_TRUE(m_drives.Define('E', DriveKind::Removable, card.UnixPath()));
    ASSERT_TRUE(m_session.Start());
    ASSERT_TRUE(card.WriteFile("PRINT\\VIN.DAT", kVinB + "\r\n"));
    EXPECT_FALSE(Changes()) << "found without the message";
    ASSERT_TRUE(announce(DBT_DEVICEARRIVAL));
    ASSERT_TRUE(Shows(kReady, kVinB));

    ASSERT_TRUE(m_drives.Define('E', DriveKind::Removable, m_device.Unix()));
    ASSERT_TRUE(announce(DBT_DEVICEREMOVECOMPLETE) && announce(DBT_DEVICEARRIVAL));
    EXPECT_TRUE(Shows(kReady, kVinA)) << "the card swapped in the same letter";
}

// An empty card-reader slot is a removable drive whose root cannot be read: Windows would stop
// the program with a box of its own for it unless the process's error mode says not to. And
// nothing keeps a report open between commands, so the system may always let the device go.
TEST_F(DeviceFollow, PassesOverUnreadableDrivesAndHoldsNoReportOpen)
{
    for (const char* report : {"DTC.DAT", "CDS.DAT", "FROZEN.DAT"}) m_device.Write(report, kDtc);
    const auto openAlone = [&](const char* report) {
        return CreateFileA(m_device.FilePath(report).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    };
    // The first report that another process cannot open for itself alone; empty when none.
    const auto firstHeld = [&]() -> std::string {
        for (const char* report : {"VIN.DAT", "DTC.DAT", "CDS.DAT", "FROZEN.DAT"}) {
            const HANDLE file = openAlone(report);
            if (file == INVALID_HANDLE_VALUE) return report;
            CloseHandle(file);
        }
        return "";
    };
    const HANDLE held = openAlone("CDS.DAT");
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_EQ("CDS.DAT", firstHeld()) << "the check does not see a file held open";
    CloseHandle(held);

    ASSERT_TRUE(m_session.Start());
    const ProcessProbe probe(m_session.Dialog(), InstalledProbeLibrary("C:\\mardello-e2e"));
    ASSERT_TRUE(probe.Ready());
    const UINT wanted = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;
    EXPECT_EQ(wanted, probe.Ask(ProbeQuestion::ErrorMode).value_or(0) & wanted);
    ASSERT_TRUE(m_drives.Define('D', DriveKind::Removable, m_device.Unix() + "/no-such-medium"));
    PlugIn('F');
    ASSERT_TRUE(Shows(kReady, kVinA));
    // The device's reports are read once more, to keep them: the run in the history, and no
    // keeping folder beside it, say that is done.
    ASSERT_TRUE(WaitUntil([] {
        const std::string listing = HistoryListing();
        return !listing.empty() && listing.find("~keeping") == std::string::npos;
    }));

    EXPECT_EQ("", firstHeld()) << "after the device was found";
    for (int button : {IDC_BTN_TROUBLE_CODE, IDC_BTN_LIVE_DATA, IDC_BTN_FROZEN_FRAME, IDC_BTN_PRINT_ALL, IDC_BTN_COPY}) {
        ASSERT_TRUE(ClickButton(m_session.Dialog(), button));
        EXPECT_EQ("", firstHeld()) << "after button " << button;
    }
    ASSERT_TRUE(Answer(m_session, ClickPrint(m_session), IDCANCEL));
    EXPECT_EQ("", firstHeld()) << "after Print";
}

}  // namespace
}  // namespace e2e
