#pragma once
// The system's folder picker, for the history's folder: a folder on this PC, a mapped drive or a
// UNC path typed into its box.
#include <windows.h>

#include "framework/CString.h"

// False when the user cancelled or the choice is no folder of the file system.
bool PickHistoryFolder(HWND owner, CString& chosen);
