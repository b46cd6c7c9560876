// The drive letters the tests give the program under test must look, to any program, like
// real drives of the asked type, and must be back to C: and Z: after each test.

#include "tests/e2e/harness/Drives.h"
#include "tests/e2e/harness/Program.h"
#include "tests/e2e/harness/ScratchFolder.h"
#include "tests/e2e/harness/Wait.h"

#include <gtest/gtest.h>

#include <string>

namespace e2e {
namespace {

std::string DriveList()
{
    char list[27 * 4 + 1] = {};
    GetLogicalDriveStringsA(sizeof list, list);
    std::string letters;
    for (const char* root = list; *root; root += lstrlenA(root) + 1)
        letters += root[0];
    return letters;
}

TEST(Drives, EachKindShowsItsDriveType)
{
    ScratchFolder device;
    const struct {
        char letter;
        DriveKind kind;
        UINT type;
    } rows[] = {
        {'A', DriveKind::Removable, DRIVE_REMOVABLE},  // a floppy to Wine
        {'E', DriveKind::Removable, DRIVE_REMOVABLE},  // a removable disk to Wine
        {'F', DriveKind::Fixed, DRIVE_FIXED},
        {'G', DriveKind::CdRom, DRIVE_CDROM},
        {'H', DriveKind::Network, DRIVE_REMOTE},
        {'I', DriveKind::RamDisk, DRIVE_RAMDISK},
    };
    const std::string before = DriveList();
    {
        DriveTable drives;
        for (const auto& row : rows) {
            SCOPED_TRACE(std::string("drive ") + row.letter);
            ASSERT_TRUE(drives.Define(row.letter, row.kind, device.UnixPath()));
            EXPECT_EQ(GetDriveTypeA((std::string(1, row.letter) + ":").c_str()), row.type);
            EXPECT_NE(DriveList().find(row.letter), std::string::npos) << DriveList();
            const auto query = QueryDrive(row.letter);
            ASSERT_TRUE(query.has_value());
            EXPECT_EQ(query->type, row.type);
            EXPECT_EQ(query->unixFolder, device.UnixPath());
        }
    }
    EXPECT_EQ(DriveList(), before);
}

TEST(Drives, ProgramsStartedLaterSeeTheFolder)
{
    ScratchFolder device;
    ASSERT_TRUE(device.WriteFile("PRINT\\VIN.DAT", "VIN\r\n"));
    DriveTable drives;
    ASSERT_TRUE(drives.Define('E', DriveKind::Removable, device.UnixPath()));

    // The exit code tells whether cmd found the file through the letter.
    Program cmd;
    ASSERT_TRUE(cmd.Start("C:\\windows\\system32\\cmd.exe", "C:\\",
                          "/c if exist E:\\PRINT\\VIN.DAT (exit 3) else (exit 4)"));
    DWORD code = 0;
    ASSERT_TRUE(cmd.WaitForExit(kDefaultTimeoutMs, &code));
    EXPECT_EQ(code, 3u);
}

TEST(Drives, RemovedLetterLeavesTheList)
{
    ScratchFolder folder;
    DriveTable drives;
    ASSERT_TRUE(drives.Define('K', DriveKind::Fixed, folder.UnixPath()));
    ASSERT_NE(DriveList().find('K'), std::string::npos);
    ASSERT_TRUE(drives.Remove('K'));
    EXPECT_EQ(DriveList().find('K'), std::string::npos);
    EXPECT_EQ(GetDriveTypeA("K:"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
    EXPECT_FALSE(QueryDrive('K').has_value());
}

// The device as the last of 26 letters needs Z:, which Wine maps to / for its own use.
TEST(Drives, AllTwentySixLettersAndZIsRestored)
{
    const auto rootBefore = QueryDrive('Z');
    ASSERT_TRUE(rootBefore.has_value());
    const std::string before = DriveList();
    ScratchFolder device, other;
    ASSERT_TRUE(device.MakeFolder("PRINT"));
    {
        DriveTable drives;
        for (char letter = 'A'; letter < 'Z'; ++letter) {
            if (letter != 'C') {
                ASSERT_TRUE(drives.Define(letter, DriveKind::Fixed, other.UnixPath()));
            }
        }
        ASSERT_TRUE(drives.Define('Z', DriveKind::Removable, device.UnixPath()));
        EXPECT_EQ(DriveList(), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        EXPECT_EQ(GetDriveTypeA("Z:"), static_cast<UINT>(DRIVE_REMOVABLE));
        EXPECT_NE(GetFileAttributesA("Z:\\PRINT"), INVALID_FILE_ATTRIBUTES);
    }
    const auto rootAfter = QueryDrive('Z');
    ASSERT_TRUE(rootAfter.has_value());
    EXPECT_EQ(rootAfter->unixFolder, rootBefore->unixFolder);
    EXPECT_EQ(rootAfter->type, rootBefore->type);
    EXPECT_EQ(DriveList(), before);
}

TEST(Drives, RefusesWhatIsNotADrive)
{
    EXPECT_FALSE(DefineDrive('1', DriveKind::Fixed, "/tmp"));
    EXPECT_FALSE(DefineDrive('E', DriveKind::Fixed, ""));
    EXPECT_FALSE(QueryDrive('?').has_value());
}

}  // namespace
}  // namespace e2e
