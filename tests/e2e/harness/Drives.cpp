#include "tests/e2e/harness/Drives.h"

#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace e2e {

namespace {

// Wine's own mount manager requests, as its public include/ddk/mountmgr.h declares them; the
// Windows SDK has no such requests.
constexpr DWORD kDefineUnixDrive = CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
constexpr DWORD kQueryUnixDrive = CTL_CODE('m', 33, METHOD_BUFFERED, FILE_READ_ACCESS);

struct UnixDrive {
    ULONG size;
    ULONG type;  // a DRIVE_* value; DRIVE_NO_ROOT_DIR removes the letter
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset;  // offsets of NUL-terminated Unix strings after the header
    USHORT deviceOffset;
    USHORT labelOffset;
};
static_assert(sizeof(UnixDrive) == 32, "the layout Wine's mount manager reads");

UINT DriveType(DriveKind kind)
{
    switch (kind) {
    case DriveKind::Removable: return DRIVE_REMOVABLE;
    case DriveKind::Fixed: return DRIVE_FIXED;
    case DriveKind::CdRom: return DRIVE_CDROM;
    case DriveKind::Network: return DRIVE_REMOTE;
    case DriveKind::RamDisk: return DRIVE_RAMDISK;
    }
    return DRIVE_UNKNOWN;
}

bool IsDriveLetter(char letter)
{
    return std::isalpha(static_cast<unsigned char>(letter)) != 0;
}

// Sends one request to the mount manager; the error code on failure, 0 on success.
DWORD AskMountManager(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize)
{
    const DWORD access = code == kDefineUnixDrive ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
    HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    if (manager == INVALID_HANDLE_VALUE)
        return GetLastError();
    DWORD returned = 0;
    const BOOL ok = DeviceIoControl(manager, code, const_cast<void*>(in), inSize, out, outSize, &returned, nullptr);
    const DWORD error = ok ? 0 : GetLastError();
    CloseHandle(manager);
    return error;
}

::testing::AssertionResult Send(char letter, UINT type, const std::string& unixFolder, const std::string& unixDevice)
{
    if (!IsDriveLetter(letter))
        return ::testing::AssertionFailure() << "'" << letter << "' is not a drive letter";

    std::vector<char> request(sizeof(UnixDrive));
    UnixDrive header{};
    header.type = type;
    header.letter = static_cast<WCHAR>(std::tolower(static_cast<unsigned char>(letter)));
    auto append = [&request](const std::string& text) {
        const auto offset = static_cast<USHORT>(request.size());
        request.insert(request.end(), text.begin(), text.end());
        request.push_back('\0');
        return offset;
    };
    if (!unixFolder.empty())
        header.mountPointOffset = append(unixFolder);
    if (!unixDevice.empty())
        header.deviceOffset = append(unixDevice);
    header.size = static_cast<ULONG>(request.size());
    std::memcpy(request.data(), &header, sizeof header);

    const DWORD error = AskMountManager(kDefineUnixDrive, request.data(), static_cast<DWORD>(request.size()), nullptr, 0);
    if (error != 0)
        return ::testing::AssertionFailure() << "the mount manager refused drive " << letter << ": (type " << type
                                             << ", folder \"" << unixFolder << "\"), error " << error;
    return ::testing::AssertionSuccess();
}

}  // namespace

::testing::AssertionResult DefineDrive(char letter, DriveKind kind, const std::string& unixFolder)
{
    if (unixFolder.empty())
        return ::testing::AssertionFailure() << "drive " << letter << ": needs a folder";
    return Send(letter, DriveType(kind), unixFolder, {});
}

::testing::AssertionResult RemoveDrive(char letter)
{
    // A letter that is not there is already what was asked for.
    if (IsDriveLetter(letter) && !QueryDrive(letter))
        return ::testing::AssertionSuccess();
    return Send(letter, DRIVE_NO_ROOT_DIR, {}, {});
}

std::optional<DriveDefinition> QueryDrive(char letter)
{
    if (!IsDriveLetter(letter))
        return std::nullopt;
    UnixDrive query{};
    query.size = sizeof query;
    query.letter = static_cast<WCHAR>(std::tolower(static_cast<unsigned char>(letter)));
    std::vector<char> answer(sizeof(UnixDrive) + 2 * MAX_PATH * 3);
    if (AskMountManager(kQueryUnixDrive, &query, sizeof query, answer.data(), static_cast<DWORD>(answer.size())) != 0)
        return std::nullopt;

    UnixDrive header;
    std::memcpy(&header, answer.data(), sizeof header);
    answer.push_back('\0');  // a string cut short by the buffer still ends
    DriveDefinition drive{header.type, {}, {}};
    if (header.mountPointOffset)
        drive.unixFolder = answer.data() + header.mountPointOffset;
    if (header.deviceOffset)
        drive.unixDevice = answer.data() + header.deviceOffset;
    return drive;
}

DriveTable::~DriveTable()
{
    // Backwards, so a letter changed twice ends as it was before the first change.
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
        const auto result = it->before ? Send(it->letter, it->before->type, it->before->unixFolder, it->before->unixDevice)
                                       : RemoveDrive(it->letter);
        EXPECT_TRUE(result) << "while restoring drive " << it->letter << ":";
    }
}

void DriveTable::Remember(char letter)
{
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    const bool known = std::any_of(saved_.begin(), saved_.end(), [upper](const Saved& s) { return s.letter == upper; });
    if (!known)
        saved_.push_back({upper, QueryDrive(upper)});
}

::testing::AssertionResult DriveTable::Define(char letter, DriveKind kind, const std::string& unixFolder)
{
    if (IsDriveLetter(letter))
        Remember(letter);
    return DefineDrive(letter, kind, unixFolder);
}

::testing::AssertionResult DriveTable::Remove(char letter)
{
    if (IsDriveLetter(letter))
        Remember(letter);
    return RemoveDrive(letter);
}

}  // namespace e2e
