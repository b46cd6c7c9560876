#include "framework/WinApp.h"

#include "framework/SystemLibrary.h"

namespace {
CWinApp* g_app = nullptr;
}  // namespace

CWinApp::CWinApp(const char* appName) : m_strAppName(appName ? appName : "Mardello") { g_app = this; }

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
