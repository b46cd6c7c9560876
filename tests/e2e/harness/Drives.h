#pragma once
// Drive letters for the program under test, defined while Wine runs: the device is a
// removable drive whose folder holds PRINT, and the cases around it are drives of other types.
// Wine's mount manager does this the way its own drive configuration does, so programs started
// afterwards, and those already running, see the new letter at once.

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

enum class DriveKind { Removable, Fixed, CdRom, Network, RamDisk };

struct DriveDefinition {
    UINT type;               // what GetDriveTypeA answers: DRIVE_REMOVABLE, DRIVE_FIXED, ...
    std::string unixFolder;  // the folder the letter's root shows
    std::string unixDevice;  // the device behind it, mostly empty
};

// Maps `letter` (A to Z) to the Unix folder, replacing what it was.
::testing::AssertionResult DefineDrive(char letter, DriveKind kind, const std::string& unixFolder);

// Takes the letter away; it is then missing from the drive list.
::testing::AssertionResult RemoveDrive(char letter);

// What `letter` is now; nothing when it is not defined.
std::optional<DriveDefinition> QueryDrive(char letter);

// Changes letters for one test and puts each back as it was when the table goes out of scope,
// so that a failing test leaves the next one the usual C: and Z:.
class DriveTable {
public:
    DriveTable() = default;
    DriveTable(const DriveTable&) = delete;
    DriveTable& operator=(const DriveTable&) = delete;
    ~DriveTable();

    ::testing::AssertionResult Define(char letter, DriveKind kind, const std::string& unixFolder);
    ::testing::AssertionResult Remove(char letter);

private:
    void Remember(char letter);

    struct Saved {
        char letter;
        std::optional<DriveDefinition> before;
    };
    std::vector<Saved> saved_;
};

}  // namespace e2e
