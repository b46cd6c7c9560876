// What a device's drive may hold and what may happen to it while the program runs: garbage,
// huge reports, files and folders that vanish or change. After each, the program's state
// (viewer, VIN, status) is checked and the next command must still work.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/RunningProgram.h"
#include "tests/e2e/Scenario.h"
#include "tests/e2e/harness/ProcessProbe.h"

namespace e2e {
namespace {

constexpr const char* kVin = "LSVAU2180N2183294";
const std::string kCds = "Engine speed\t812\trpm\r\nCoolant\t88\tC\r\n";
const std::string kCdsView = "Engine speed    812    rpm\r\nCoolant    88    C";
// Reading and showing a 20 MB report takes Wine far longer than a click usually does (a 5 MB
// line about 90 s on an idle machine).
constexpr DWORD kLargeReportMs = 600000;

bool DeleteDeviceFolder(const DeviceFolder& device)
{
    const std::string folder = device.Root().Path() + "\\PRINT";
    for (const char* file : {"VIN.DAT", "DTC.DAT", "CDS.DAT", "FROZEN.DAT"}) DeleteFileA((folder + "\\" + file).c_str());
    return RemoveDirectoryA(folder.c_str()) != 0;
}

class Faults : public RunningProgram {
protected:
    // The program still answers: a view of the live data shows it (or nothing when it is gone).
    void ExpectNextCommandWorks(const std::string& expectedView)
    {
        ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_LIVE_DATA));
        EXPECT_EQ(expectedView, Viewer()) << "the next command";
        EXPECT_TRUE(ShowsOnlyBlue(m_session, IDC_BTN_LIVE_DATA));
        EXPECT_TRUE(m_session.Process().Running());
    }

    void ExpectHugeReportShown(const std::string& file, bool whole);
};

TEST_F(Faults, BinaryGarbageWithNulBytesIsShownLineByLine)
{
    std::string garbage;
    std::vector<std::string> expected;
    // Every byte value but the line ends and the end-of-file mark, NUL among them, on 16 lines.
    for (int line = 0; line < 16; ++line) {
        std::string bytes;
        for (int value = line * 16; value < line * 16 + 16; ++value)
            if (value != '\r' && value != '\n' && value != 0x1A) bytes += static_cast<char>(value);
        garbage += "#" + bytes + "#\r\n";
        std::string shown = "#";
        for (char byte : bytes) shown += byte == '\t' ? std::string("    ") : std::string(1, byte ? byte : ' ');
        expected.push_back(shown + "#");
    }
    m_device.Write("DTC.DAT", garbage);
    m_device.Write("CDS.DAT", kCds);
    StartWithDevice();
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE));
    std::vector<std::string> shown;
    const std::string text = "\r\n" + Viewer();  // each line after a break, the first too
    for (size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2)
        shown.push_back(text.substr(at + 2, text.find("\r\n", at + 2) - at - 2));
    ASSERT_EQ(16u, shown.size()) << "one paragraph per line";
    // The printable ASCII lines come back byte for byte; the control bytes, and the bytes from
    // 0x80 up that are no GBK character, as far as the viewer can hold them.
    for (size_t line = 2; line < 8; ++line) EXPECT_EQ(expected[line], shown[line]) << "line " << line;
    EXPECT_EQ(kVin, Vin());
    ExpectNextCommandWorks(kCdsView);
}

TEST_F(Faults, FolderNamedLikeAReportCountsAsMissing)
{
    ASSERT_TRUE(m_device.Root().MakeFolder("PRINT\\DTC.DAT"));
    m_device.Write("CDS.DAT", kCds);
    StartWithDevice();
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE));
    EXPECT_EQ("", Viewer());
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_PRINT_ALL));
    EXPECT_EQ(kCdsView + "\r\n", Viewer()) << "only the live data's section";
    EXPECT_EQ(kReady, Status());
    ExpectNextCommandWorks(kCdsView);
}

// A report larger than a 32-bit program's memory ends the view before it, as a report cut short
// does, instead of leaving the view before the command. A 64-bit program would read it whole,
// and its viewer take hours.
TEST_F(Faults, ReportLargerThanTheMemory)
{
    if (sizeof(void*) > 4) return;
    m_device.Write("CDS.DAT", kCds);
    StartWithDevice();
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_LIVE_DATA));
    // Kept before the report grows, so that the keeper never copies gigabytes.
    ASSERT_TRUE(WaitUntil([] {
        const std::string listing = HistoryListing();
        return listing.find("\\CDS.DAT") != std::string::npos && listing.find("~keeping") == std::string::npos;
    }));
    const HANDLE file = CreateFileA(m_device.FilePath("DTC.DAT").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    LARGE_INTEGER size{};
    size.QuadPart = 3LL << 30;  // a sparse file: no disk is written
    EXPECT_TRUE(SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file));
    CloseHandle(file);
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE, kLargeReportMs));
    EXPECT_EQ("", Viewer());
    ExpectNextCommandWorks(kCdsView);
    DeleteFileA(m_device.FilePath("DTC.DAT").c_str());
}

// Shows `file` (lines of plain ASCII, each ended by CR LF) as the trouble codes and checks
// that the viewer holds its lines in order, each on its own paragraph: all of them, or, when
// `whole` is false, the lines before some line (the viewer stops where the process has no
// room left for it). Either way the next command must work.
void Faults::ExpectHugeReportShown(const std::string& file, bool whole)
{
    m_device.Write("DTC.DAT", file);
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE, kLargeReportMs));
    const std::optional<std::string> shown = RichEditText(m_session.Dialog(), IDC_RICHEDIT_REPORT, kLargeReportMs);
    ASSERT_TRUE(shown.has_value()) << "the viewer's text could not be read";
    // The viewer gives each paragraph break as a bare CR, before its line.
    std::string expected;
    expected.reserve(file.size());
    for (size_t from = 0, end; (end = file.find("\r\n", from)) != std::string::npos; from = end + 2)
        expected.append("\r").append(file, from, end - from);
    expected.erase(0, 1);  // the first line has no break before it
    RecordProperty("shown", std::to_string(shown->size()) + " of " + std::to_string(expected.size()));
    if (whole) {
        EXPECT_EQ(expected.size(), shown->size());
    }
    // Compared as yes or no: a failure message with megabytes in it helps nobody.
    EXPECT_TRUE(expected.compare(0, shown->size(), *shown) == 0) << "the viewer's text is not the report's lines";
    EXPECT_TRUE(shown->empty() || shown->size() == expected.size() || expected[shown->size()] == '\r')
        << "a line was cut";
    ExpectNextCommandWorks(kCdsView);
}

// Wine's rich edit lays out a line of millions of characters with no space in it very slowly
// and with gigabytes of memory (5 MB: about 90 s and 2.4 GB); the line is still shown whole.
// 64-bit Wine's rich edit takes time and memory that grow with the square of a paragraph's
// length (64 KB: 19 s and 0.5 GB, 256 KB: 217 s and 7.4 GB, spaces or not), so a 64-bit
// program gets a line that is only longer than the pieces the viewer takes its text in.
TEST_F(Faults, SingleHugeLineIsShownWhole)
{
    const size_t lineBytes = sizeof(void*) == 4 ? 5 * 1024 * 1024 : 48 * 1024;
    m_device.Write("CDS.DAT", kCds);
    StartWithDevice();
    ExpectHugeReportShown("A\r\n" + std::string(lineBytes, 'x') + "\r\nZ\r\n", true);
}

// About 275,000 short lines are shown whole (Wine's rich edit takes 2.5 GB for them). Twenty
// lines of 1 MB with no space would take Wine's rich edit far more than a 32-bit process has,
// so the viewer shows what fits, and nothing is cut or reordered. A 64-bit process runs out of
// the machine's memory instead (a unit test has that rule), and 64-bit Wine would spend hours
// on a line of 1 MB, so it gets the short lines only.
TEST_F(Faults, TwentyMegabyteReports)
{
    struct Row {
        const char* name;
        std::string line;
        bool whole;
    };
    const Row rows[] = {
        {"short lines", "P0101 Mass or Volume Air Flow Circuit Range/Performance Problem 0123456789", true},
        {"1 MB lines", std::string(1024 * 1024, 'x'), false},
    };
    m_device.Write("CDS.DAT", kCds);
    StartWithDevice();
    for (const Row& row : rows) {
        if (sizeof(void*) > 4 && !row.whole) continue;
        SCOPED_TRACE(row.name);
        std::string file;
        while (file.size() < 20 * 1024 * 1024) file += row.line + "\r\n";
        file += "LAST\r\n";
        ExpectHugeReportShown(file, row.whole);
    }
}

TEST_F(Faults, FilesDeletedOrReplacedAfterStartUp)
{
    m_device.Write("DTC.DAT", "OLD\r\n");
    m_device.Write("CDS.DAT", kCds);
    StartWithDevice();
    ASSERT_TRUE(DeleteFileA(m_device.FilePath("DTC.DAT").c_str()));
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE));
    EXPECT_EQ("", Viewer()) << "deleted";
    m_device.Write("DTC.DAT", "NEW\tCODE\r\n");
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE));
    EXPECT_EQ("NEW    CODE", Viewer()) << "replaced";
    m_device.Write("VIN.DAT", "CHANGEDVIN\r\n");
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE));
    EXPECT_EQ(kVin, Vin()) << "the VIN is the one read at start-up";
    ExpectNextCommandWorks(kCdsView);
}

TEST_F(Faults, DeviceFolderRemovedWhileRunning)
{
    m_device.Write("DTC.DAT", "P0301\r\n");
    m_device.Write("CDS.DAT", kCds);
    StartWithDevice();
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE));
    EXPECT_EQ("P0301", Viewer());
    ASSERT_TRUE(DeleteDeviceFolder(m_device));
    for (int button : {IDC_BTN_TROUBLE_CODE, IDC_BTN_PRINT_ALL, IDC_BTN_FROZEN_FRAME}) {
        ASSERT_TRUE(ClickButton(m_session.Dialog(), button)) << button;
        EXPECT_EQ("", Viewer()) << button;
        EXPECT_TRUE(ShowsOnlyBlue(m_session, button)) << button;
    }
    EXPECT_EQ(kVin, Vin());
    ExpectNextCommandWorks("");
}

TEST_F(Faults, EmptyVinFileLeavesTheVinEmpty)
{
    m_device.Write("VIN.DAT", "");
    m_device.Write("CDS.DAT", kCds);
    StartWithDevice();
    EXPECT_EQ("", Vin());
    EXPECT_EQ(kReady, Status());
    ExpectNextCommandWorks(kCdsView);
}

// Copy when no memory block can be had for the text: the clipboard keeps what the user had there.
TEST_F(Faults, CopyWithoutMemoryKeepsTheClipboard)
{
    m_device.Write("CDS.DAT", kCds);
    StartWithDevice();
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_LIVE_DATA));
    ASSERT_TRUE(WriteClipboardText("old content"));
    const ProcessProbe probe(m_session.Dialog(), InstalledProbeLibrary("C:\\mardello-e2e"));
    ASSERT_TRUE(probe.Ready());
    ASSERT_EQ(1u, probe.Ask(ProbeQuestion::NoMemoryBlocks));
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_COPY));
    EXPECT_EQ("old content", ReadClipboardText().value_or("<no text>"));
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
