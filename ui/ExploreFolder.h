#pragma once
// A folder shown in the Explorer from a thread of its own: the shell looks into the folder
// before it shows it, and a share that does not answer would hold the window up meanwhile.
#include <windows.h>

#include "framework/CString.h"

void ExploreFolder(HWND owner, const CString& folder);
