#pragma once
// The about box: the program's name, version and legal line.
#include "framework/Dialog.h"
#include "res/resource.h"

class CAboutDlg : public CDialogEx {
public:
    // Its Chinese texts are shown as the resource holds them, in Unicode.
    CAboutDlg() : CDialogEx(IDD_ABOUTBOX) { m_bWideTemplate = true; }

    DECLARE_MESSAGE_MAP()
};
