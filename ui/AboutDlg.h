#pragma once
// The about box: the program's name, version and legal line.
#include "framework/Dialog.h"
#include "res/resource.h"

class CAboutDlg : public CDialogEx {
public:
    CAboutDlg() : CDialogEx(IDD_ABOUTBOX) {}

    DECLARE_MESSAGE_MAP()
};
