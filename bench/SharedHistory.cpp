#include "bench/SharedHistory.h"

#include <windows.h>

#include "bench/Require.h"
#include "tests/e2e/harness/UnixSpawn.h"
#include "tests/e2e/harness/WinePaths.h"

namespace bench {

namespace {

constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

bool SetDocuments(const std::string& documents)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const bool set = RegSetValueExA(key, "Personal", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(documents.c_str()),
                                    static_cast<DWORD>(documents.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
    return set;
}

}  // namespace

DocumentsMoved::DocumentsMoved(const std::string& documents)
{
    char before[MAX_PATH] = "";
    DWORD size = sizeof before;
    Require(RegGetValueA(HKEY_CURRENT_USER, kShellFolders, "Personal", RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr,
                         before, &size) == ERROR_SUCCESS,
            "read where the documents are");
    m_before = before;
    Require(SetDocuments(documents), "move the documents");
}

DocumentsMoved::~DocumentsMoved() { SetDocuments(m_before); }

std::string ShareOf(const std::string& unixFolder)
{
    // C: is a link in the prefix's dosdevices, and Wine may name it by that link.
    std::string driveC = e2e::UnixPath("C:\\");
    while (!driveC.empty() && driveC.back() == '/') driveC.pop_back();
    std::string devices = driveC.substr(0, driveC.rfind('/'));
    if (devices.size() < 11 || devices.compare(devices.size() - 11, 11, "/dosdevices") != 0) devices += "/dosdevices";
    const std::string server = devices + "/unc/benchserver";
    Require(e2e::SpawnUnix({"mkdir", "-p", server}, true) == 0 &&
                e2e::SpawnUnix({"ln", "-sfn", unixFolder, server + "/share"}, true) == 0,
            "make \\\\benchserver\\share");
    return "\\\\benchserver\\share";
}

}  // namespace bench
