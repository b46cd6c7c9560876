// Start-up: which drive is taken for the device, the main dialog's controls, and the
// picture that marks the active command button.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/RunningProgram.h"

namespace e2e {
namespace {

enum class Content { Device, LowerCaseDevice, PrintIsAFile, Empty };

struct DriveSpec {
    char letter;
    DriveKind kind;
    Content content;
};

struct SearchCase {
    const char* name;
    std::vector<DriveSpec> drives;
    const char* status;
    char deviceLetter;  // whose VIN shows; 0 for none
};

std::string VinOf(char letter) { return std::string("LSVAU2180N218329") + letter; }

class Startup : public RunningProgram {};

TEST_F(Startup, FindsTheDeviceDrive)
{
    const SearchCase cases[] = {
        {"removable drive with PRINT", {{'E', DriveKind::Removable, Content::Device}}, kReady, 'E'},
        {"folder named print in lower case", {{'E', DriveKind::Removable, Content::LowerCaseDevice}}, kReady, 'E'},
        {"PRINT is a file, not a folder", {{'E', DriveKind::Removable, Content::PrintIsAFile}}, kChecking, 0},
        {"PRINT only on a fixed drive", {{'F', DriveKind::Fixed, Content::Device}}, kChecking, 0},
        {"PRINT only on a CD-ROM", {{'F', DriveKind::CdRom, Content::Device}}, kChecking, 0},
        {"PRINT only on a network drive", {{'F', DriveKind::Network, Content::Device}}, kChecking, 0},
        {"two devices: the first listed wins",
         {{'E', DriveKind::Removable, Content::Device}, {'D', DriveKind::Removable, Content::Device}}, kReady, 'D'},
        {"a removable drive without PRINT before the device",
         {{'D', DriveKind::Removable, Content::Empty}, {'G', DriveKind::Removable, Content::Device}}, kReady, 'G'},
        {"no device at all", {}, kChecking, 0},
    };
    for (const SearchCase& row : cases) {
        SCOPED_TRACE(row.name);
        std::vector<std::unique_ptr<DeviceFolder>> folders;
        DriveTable drives;
        for (const DriveSpec& drive : row.drives) {
            const bool device = drive.content == Content::Device || drive.content == Content::LowerCaseDevice;
            const char* folder = drive.content == Content::Device            ? "PRINT"
                                 : drive.content == Content::LowerCaseDevice ? "print"
                                                                             : "other";
            folders.push_back(std::make_unique<DeviceFolder>(device ? VinOf(drive.letter) : "", folder));
            if (drive.content == Content::PrintIsAFile) folders.back()->Root().WriteFile("PRINT", "not a folder\r\n");
            ASSERT_TRUE(drives.Define(drive.letter, drive.kind, folders.back()->Unix()));
        }

        MardelloSession session;
        ASSERT_TRUE(session.Start());
        EXPECT_EQ(row.status, session.Text(IDC_STATIC_STATUS));
        EXPECT_EQ(row.deviceLetter ? VinOf(row.deviceLetter) : "", session.Text(IDC_EDIT_VIN));
    }
}

TEST_F(Startup, FindsTheDeviceOnTheLastOfTwentySixDrives)
{
    ASSERT_FALSE(InstalledMardello().empty()) << "copied to C: while Z: still leads to the build";
    ScratchFolder emptyDisk;
    for (char letter = 'A'; letter <= 'Y'; ++letter)
        if (letter != 'C') {
            ASSERT_TRUE(m_drives.Define(letter, DriveKind::Fixed, emptyDisk.UnixPath())) << letter;
        }
    PlugIn('Z');
    char list[200] = {};
    ASSERT_EQ(26u * 4, GetLogicalDriveStringsA(sizeof list, list)) << "every letter is in use";

    ASSERT_TRUE(m_session.Start());
    EXPECT_EQ(kReady, Status());
    EXPECT_EQ("LSVAU2180N2183294", Vin());
}

TEST_F(Startup, DialogHasItsControlsInTabOrder)
{
    StartWithDevice();
    SaveScreenshot(m_session.Dialog(), "startup");

    struct Expected {
        int id;
        const char* className;
    };
    const Expected controls[] = {
        {IDC_STATIC_STATUS, "Static"},     {IDC_EDIT_VIN, "Edit"},           {IDC_BTN_PRINT_ALL, "Button"},
        {IDC_BTN_TROUBLE_CODE, "Button"},  {IDC_RICHEDIT_REPORT, "RichEdit20W"}, {IDC_BTN_LIVE_DATA, "Button"},
        {IDC_BTN_FROZEN_FRAME, "Button"},  {IDC_BTN_PRINT, "Button"},        {IDC_BTN_COPY, "Button"},
        {IDC_BTN_EXIT, "Button"},          {IDC_STATIC_TITLE, "Static"},     {IDC_STATIC_VIN_FACTS, "Static"},
    };
    std::vector<int> order;
    for (HWND child = GetWindow(m_session.Dialog(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        order.push_back(GetDlgCtrlID(child));
    ASSERT_EQ(std::size(controls), order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(controls[i].id, order[i]) << "control " << i;
        EXPECT_EQ(0, lstrcmpiA(controls[i].className, ClassOf(m_session.Control(controls[i].id)).c_str()))
            << controls[i].id << " is a " << ClassOf(m_session.Control(controls[i].id));
    }

    std::vector<int> tabStops;
    for (HWND child = GetWindow(m_session.Dialog(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP) tabStops.push_back(GetDlgCtrlID(child));
    const std::vector<int> expectedTabStops = {IDC_EDIT_VIN,      IDC_BTN_PRINT_ALL,    IDC_BTN_TROUBLE_CODE,
                                               IDC_RICHEDIT_REPORT, IDC_BTN_LIVE_DATA, IDC_BTN_FROZEN_FRAME,
                                               IDC_BTN_PRINT,     IDC_BTN_COPY,         IDC_BTN_EXIT};
    EXPECT_EQ(expectedTabStops, tabStops);
    EXPECT_EQ("Mardello", m_session.Text(IDC_STATIC_TITLE));
}

TEST_F(Startup, TypingIntoTheVinBoxStopsAtSeventeen)
{
    ASSERT_TRUE(m_session.Start());
    EXPECT_EQ(17, SendMessageA(m_session.Control(IDC_EDIT_VIN), EM_GETLIMITTEXT, 0, 0));
    ASSERT_TRUE(TypeText(m_session.Dialog(), IDC_EDIT_VIN, "WDB12345678901234XYZ"));
    EXPECT_EQ("WDB12345678901234", Vin());
}

TEST_F(Startup, ExactlyOneCommandButtonIsBlue)
{
    StartWithDevice();
    EXPECT_TRUE(ShowsOnlyBlue(m_session, IDC_BTN_PRINT_ALL)) << "at start-up";
    for (int id : {IDC_BTN_TROUBLE_CODE, IDC_BTN_LIVE_DATA, IDC_BTN_FROZEN_FRAME, IDC_BTN_COPY, IDC_BTN_COPY,
                   IDC_BTN_PRINT_ALL}) {
        ASSERT_TRUE(ClickButton(m_session.Dialog(), id));
        EXPECT_TRUE(ShowsOnlyBlue(m_session, id)) << "after clicking " << id;
    }
    for (int id : kCommandButtons)
        if (id != IDC_BTN_PRINT_ALL) {
            EXPECT_GT(ShareOfColour(m_session.Control(id), kNormalGrey), 0.5) << id;
        }
}

// A library named like a system library and dropped next to a portable copy is never loaded.
// Wine prefers its own libraries; told to take others first for the program, it searches as
// Windows does. That setting is the prefix's, and goes however the test ends.
TEST_F(Startup, LibraryPlantedNextToTheProgramIsNotLoaded)
{
    static const char* const kOverrides = "Software\\Wine\\AppDefaults\\Mardello.exe\\DllOverrides";
    struct OthersFirst {
        OthersFirst() : set(!RegSetKeyValueA(HKEY_CURRENT_USER, kOverrides, "riched20", REG_SZ, "native,builtin", 15)) {}
        ~OthersFirst() { RegDeleteKeyValueA(HKEY_CURRENT_USER, kOverrides, "riched20"); }
        const bool set;
    } othersFirst;
    ASSERT_TRUE(othersFirst.set);
    ScratchFolder folder;
    const std::string exe = folder.Path() + "\\Mardello.exe";
    ASSERT_TRUE(CopyFileA(InstalledMardello().c_str(), exe.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(DosPath(MARDELLO_PLANTED_LIBRARY).c_str(), (folder.Path() + "\\riched20.dll").c_str(), FALSE));
    Program program;
    ASSERT_TRUE(program.Start(exe, folder.Path()));
    const HWND dialog = WaitForVisibleWindow(program.Id(), kDialogClass);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((folder.Path() + "\\planted-library-ran").c_str()));
    ASSERT_TRUE(dialog);
    EXPECT_EQ("RichEdit20W", ClassOf(GetDlgItem(dialog, IDC_RICHEDIT_REPORT)));
}

}  // namespace
}  // namespace e2e
