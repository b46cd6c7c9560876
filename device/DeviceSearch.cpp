// The device shows up as a removable drive whose root holds the report folder PRINT.
#include "device/DeviceSearch.h"

#include <vector>

#include "device/DriveList.h"
#include "framework/FileFind.h"
#include "ui/MardelloDlg.h"

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

// The one search for the device, at start-up and whenever the drives change: the first
// removable drive, in drive order, whose root holds PRINT. Only the members are set here;
// the caller decides which controls show the result.
BOOL CMardelloDlg::SearchForDevice()
{
    std::vector<char> list = ReadDriveList();
    for (const CString& root : DriveRoots(list.data(), list.size())) {
        CString prefix = DrivePrefix(root);
        if (::GetDriveTypeA(root) == DRIVE_REMOVABLE && HasSubfolder(prefix, "PRINT")) {
            m_strDrive = prefix;
            m_strReportFolder = prefix + "\\PRINT";
            m_strKeptRunStatus.Empty();
            m_strStatus = kStatusReady;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CMardelloDlg::FindDevice()
{
    const BOOL found = SearchForDevice();
    UpdateData(FALSE);
    return found;
}
