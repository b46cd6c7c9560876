// The device shows up as a removable drive whose root holds the report folder PRINT: the
// system's answers to what following it asks.
#include "device/SystemDrives.h"

#include <vector>

#include "device/DriveList.h"
#include "framework/FileFind.h"
#include "framework/StdioFile.h"
#include "reports/ReportFiles.h"
#include "reports/ReportSource.h"

namespace {

// The drive list as the system gives it. The buffer is sized from what the system asks
// for, so every drive is seen however many there are; a drive added between the two
// calls makes the list longer, so the question is asked again.
std::vector<char> ReadDriveList()
{
    std::vector<char> list;
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD needed = ::GetLogicalDriveStringsA(0, nullptr);
        if (needed == 0) break;
        list.assign(static_cast<size_t>(needed) + 1, '\0');
        DWORD written = ::GetLogicalDriveStringsA(static_cast<DWORD>(list.size()), list.data());
        if (written < list.size()) return list;
    }
    return {};
}

}  // namespace

bool HasSubfolder(const CString& directory, const char* name)
{
    CFileFind finder;
    if (!finder.FindFile(directory + "\\*.*")) {
        finder.Close();
        return false;
    }
    for (;;) {
        BOOL more = finder.FindNextFile();
        if (!finder.IsDots() && finder.IsDirectory() && IsFolderNamed(finder.GetFileName(), name)) {
            finder.Close();
            return true;
        }
        if (!more) {
            finder.Close();
            return false;
        }
    }
}

bool ReadVinFile(const CString& folder, CString& vin)
{
    CStdioFile file;
    if (!file.Open(folder + "\\" + kVinFile.name, CStdioFile::modeRead | CStdioFile::shareCompat | CStdioFile::typeText))
        return false;
    CString line;
    const bool read = file.ReadString(line);
    if (read) vin = line;
    file.Close();
    return read;
}

namespace {

class CSystemDrives final : public DriveQuestions {
public:
    std::uint32_t DriveMask() const override { return static_cast<std::uint32_t>(::GetLogicalDrives()); }
    std::vector<CString> DriveRoots() const override
    {
        const std::vector<char> list = ReadDriveList();
        return ::DriveRoots(list.data(), list.size());
    }
    bool IsRemovable(const CString& root) const override { return ::GetDriveTypeA(root) == DRIVE_REMOVABLE; }
    bool ListsReportFolder(const CString& drive) const override { return HasSubfolder(drive, kReportFolderName); }
    // Under Wine reading the drive list costs forty times as much as this (0.4 ms), most of the
    // idle cost of following the device.
    bool HasReportFolder(const CString& drive) const override
    {
        const DWORD attributes = ::GetFileAttributesA(ReportFolderOf(drive));
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    bool ReadVin(const CString& drive, CString& vin) const override { return ReadVinFile(ReportFolderOf(drive), vin); }
};

}  // namespace

const DriveQuestions& SystemDrives()
{
    static const CSystemDrives drives;
    return drives;
}
