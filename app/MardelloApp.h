#pragma once
#include "framework/WinApp.h"

class CMardelloApp : public CWinApp {
public:
    CMardelloApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    DECLARE_MESSAGE_MAP()
};

extern CMardelloApp theApp;
