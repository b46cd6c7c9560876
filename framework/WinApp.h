#pragma once
// The application object and the entry point that runs it.
#include <windows.h>

#include "framework/Wnd.h"

// Restart-manager support: ask the system to restart the program after a crash or an update.
#define AFX_RESTART_MANAGER_SUPPORT_RESTART 0x01
// The framework's help command.
#define ID_HELP 0xE146

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(const char* appName = nullptr);
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    virtual int ExitInstance() { return 0; }
    // Runs the message pump for a program whose InitInstance keeps a window open.
    virtual int Run();

    // Names the settings root under HKEY_CURRENT_USER\Software, given in GBK. Nothing is
    // written until a setting is.
    void SetRegistryKey(const char* company) { m_strRegistryKey = company; }
    // A setting kept under the root, in the program's key, in `section`, as text of any characters:
    // kept as Unicode, given and taken as UTF-8; empty when it was never written or cannot be read.
    // It reads a value written as 8-bit text too. Writing says whether the setting was kept.
    CString GetProfileUtf8(const char* section, const char* entry) const;
    BOOL WriteProfileUtf8(const char* section, const char* entry, const CString& utf8) const;
    // A number kept as the strings are; `fallback` when it was never written or cannot be read.
    UINT GetProfileInt(const char* section, const char* entry, int fallback) const;
    BOOL WriteProfileInt(const char* section, const char* entry, int value) const;
    void OnHelp();

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;
    DWORD m_dwRestartManagerSupportFlags = 0;
    CString m_strRegistryKey;
    CString m_strAppName;
};

CWinApp* AfxGetApp();

// Hosting of ActiveX controls; the program's dialogs hold none, so there is nothing to prepare.
inline void AfxEnableControlContainer() {}

// Loads the Rich Edit 2.0 library, which registers the "RichEdit20W" window class the viewer is.
BOOL AfxInitRichEdit2();

// Shell namespace services for the framework's shell controls; the program uses none of them,
// so the object only keeps its place in start-up and shutdown.
class CShellManager {};

// The framework draws its own controls through a visual manager; this program has none of
// those controls, so choosing the Windows look changes nothing it shows.
class CMFCVisualManager {
public:
    template <typename Manager>
    static void SetDefaultManager() {}
};
class CMFCVisualManagerWindows : public CMFCVisualManager {};
