#include "history/HistoryFolder.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "framework/SystemLibrary.h"
#include "framework/WideText.h"
#include "framework/WinApp.h"

namespace {

constexpr const wchar_t* kPolicyKey = L"Software\\Policies\\Mardello";
constexpr const wchar_t* kPolicyValue = L"HistoryFolder";
constexpr const char* kSettingsSection = "Settings";
constexpr const char* kFolderEntry = "HistoryFolder";

// "S:\Mardello\" and "S:\Mardello" are one folder, and the keeper appends "\<VIN>" to it.
CString WithoutTrailingSeparators(CString folder)
{
    std::string bytes = folder.Bytes();
    while (!bytes.empty() && (bytes.back() == '\\' || bytes.back() == '/')) bytes.pop_back();
    return CString(bytes);
}

// The program's paths are the system's 8-bit text; a folder with characters it cannot hold is
// not used.
CString AnsiPath(const std::wstring& wide)
{
    bool allFit = false;
    const std::string bytes = NarrowText(wide.c_str(), wide.size(), CP_ACP, &allFit);
    return allFit ? WithoutTrailingSeparators(CString(bytes)) : CString();
}

CString ChosenHistoryFolder()
{
    const CWinApp* app = AfxGetApp();
    if (!app) return CString();
    const CString utf8 = app->GetProfileUtf8(kSettingsSection, kFolderEntry);
    return AnsiPath(WideText(utf8, utf8.GetLength(), CP_UTF8));
}

}  // namespace

// The shell library is loaded only by those who need it, as the common dialogs are.
CString DocumentsFolder()
{
    static const auto folderPath = LoadSystemFunction<decltype(&::SHGetFolderPathA)>("shell32.dll", "SHGetFolderPathA");
    char documents[MAX_PATH] = "";
    if (!folderPath || folderPath(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents) != S_OK)
        return CString();
    return CString(documents);
}

CString DocumentsHistoryFolder()
{
    const CString documents = DocumentsFolder();
    return documents.IsEmpty() ? documents : documents + "\\Mardello";
}

CString PolicyHistoryFolder()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kPolicyKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return CString();
    wchar_t value[1024] = L"";
    DWORD size = sizeof value - sizeof value[0];
    DWORD type = 0;
    const LONG read = ::RegQueryValueExW(key, kPolicyValue, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    ::RegCloseKey(key);
    if (read != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return CString();
    // Up to its first NUL: a value may be written with or without one.
    std::wstring folder(value, wcsnlen(value, size / sizeof value[0]));
    if (type == REG_EXPAND_SZ) {
        wchar_t expanded[1024] = L"";
        const DWORD length = ::ExpandEnvironmentStringsW(folder.c_str(), expanded, std::size(expanded));
        if (length == 0 || length > std::size(expanded)) return CString();
        folder = expanded;
    }
    return AnsiPath(folder);
}

CString HistoryFolder()
{
    CString folder = PolicyHistoryFolder();
    if (folder.IsEmpty()) folder = ChosenHistoryFolder();
    return folder.IsEmpty() ? DocumentsHistoryFolder() : folder;
}

bool SetHistoryFolder(const CString& folder)
{
    const CWinApp* app = AfxGetApp();
    const CString plain = WithoutTrailingSeparators(folder);
    return app && app->WriteProfileUtf8(kSettingsSection, kFolderEntry,
                                        CString(Utf8Text(WideText(plain, plain.GetLength(), CP_ACP)).c_str()));
}
