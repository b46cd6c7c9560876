#include "app/MardelloApp.h"

#include "ui/MardelloDlg.h"

BEGIN_MESSAGE_MAP(CMardelloApp, CWinApp)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CMardelloApp::CMardelloApp() { m_dwRestartManagerSupportFlags = AFX_RESTART_MANAGER_SUPPORT_RESTART; }

CMardelloApp theApp;

BOOL CMardelloApp::InitInstance()
{
    // The installer and the uninstaller look for these names and ask for Mardello to be closed
    // first: files in use cannot be replaced or removed. The global name is seen from every
    // user's session; the local one where a global name cannot be made. Both last as long as
    // the process.
    ::CreateMutexA(nullptr, FALSE, "Global\\MardelloRunning");
    ::CreateMutexA(nullptr, FALSE, "MardelloRunning");
    // An empty card-reader slot is a removable drive too: looking into it must fail quietly,
    // not stop the program with the system's "no disk" box. Set before the first search.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // The common controls are registered when the print dialog, their only user, first opens.
    CWinApp::InitInstance();
    AfxEnableControlContainer();
    auto* shellManager = new CShellManager;
    CMFCVisualManager::SetDefaultManager<CMFCVisualManagerWindows>();
    // "应用程序向导生成的本地应用程序" in GBK.
    SetRegistryKey("\xD3\xA6\xD3\xC3\xB3\xCC\xD0\xF2\xCF\xF2\xB5\xBC\xC9\xFA\xB3\xC9\xB5\xC4\xB1\xBE\xB5\xD8\xD3\xA6\xD3\xC3\xB3\xCC\xD0\xF2");
    CMardelloDlg dialog;
    AfxInitRichEdit2();

    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;

    delete shellManager;
    // The dialog has closed: end the program instead of running a message pump.
    return FALSE;
}

int CMardelloApp::ExitInstance() { return CWinApp::ExitInstance(); }
