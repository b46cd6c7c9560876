#include "framework/WinApp.h"

#include "framework/SystemLibrary.h"

namespace {
CWinApp* g_app = nullptr;
}  // namespace

CWinApp::CWinApp(const char* appName) : m_strAppName(appName) { g_app = this; }

CWinApp* AfxGetApp() { return g_app; }

BOOL CWinApp::InitInstance()
{
    if (m_dwRestartManagerSupportFlags & AFX_RESTART_MANAGER_SUPPORT_RESTART)
        ::RegisterApplicationRestart(L"", 0);
    return TRUE;
}

int CWinApp::Run()
{
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return ExitInstance();
}

namespace {

using RegCreateKeyExFunction = decltype(&::RegCreateKeyExA);
using RegOpenKeyExFunction = decltype(&::RegOpenKeyExA);
using RegQueryValueExFunction = decltype(&::RegQueryValueExA);
using RegSetValueExFunction = decltype(&::RegSetValueExA);
using RegCloseKeyFunction = decltype(&::RegCloseKey);

// Loaded when a setting is first read, like the other libraries only some runs need.
template <typename Function>
Function Registry(const char* name)
{
    return LoadSystemFunction<Function>("advapi32.dll", name);
}

CString SettingsKey(const CWinApp& app, const char* section)
{
    const CString program = app.m_strAppName.IsEmpty() ? CString("Mardello") : app.m_strAppName;
    return "Software\\" + app.m_strRegistryKey + "\\" + program + "\\" + section;
}

}  // namespace

UINT CWinApp::GetProfileInt(const char* section, const char* entry, int fallback) const
{
    static const auto open = Registry<RegOpenKeyExFunction>("RegOpenKeyExA");
    static const auto query = Registry<RegQueryValueExFunction>("RegQueryValueExA");
    static const auto close = Registry<RegCloseKeyFunction>("RegCloseKey");
    HKEY key = nullptr;
    if (!open || !query || !close || open(HKEY_CURRENT_USER, SettingsKey(*this, section), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return static_cast<UINT>(fallback);
    DWORD value = 0, type = 0, size = sizeof value;
    const bool read = query(key, entry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
                      type == REG_DWORD && size == sizeof value;
    close(key);
    return read ? value : static_cast<UINT>(fallback);
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value) const
{
    static const auto create = Registry<RegCreateKeyExFunction>("RegCreateKeyExA");
    static const auto set = Registry<RegSetValueExFunction>("RegSetValueExA");
    static const auto close = Registry<RegCloseKeyFunction>("RegCloseKey");
    HKEY key = nullptr;
    if (!create || !set || !close ||
        create(HKEY_CURRENT_USER, SettingsKey(*this, section), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return FALSE;
    const DWORD data = static_cast<DWORD>(value);
    const bool written = set(key, entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
    close(key);
    return written;
}

// The program ships no help file, so the help command has nothing to open.
void CWinApp::OnHelp() {}

BOOL AfxInitRichEdit2() { return LoadSystemLibrary("riched20.dll") != nullptr; }

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    SearchLibrariesInSystemFolderOnly();
    CWinApp* app = AfxGetApp();
    if (!app) return -1;
    app->m_hInstance = instance;
    if (!app->InitInstance()) return app->ExitInstance();
    return app->Run();
}
