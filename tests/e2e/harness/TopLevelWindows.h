#pragma once
// Finding the windows of another process: its main dialog, and the dialogs it opens, whose
// titles follow the system's language and so are found by class and owner instead.

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/harness/Wait.h"

namespace e2e {

// Every top-level window of the process, visible or not.
std::vector<HWND> WindowsOfProcess(DWORD processId);

// The first visible top-level window of the process whose class is `className` (any class
// when null) and, when `owner` is given, that `owner` owns; null when there is none.
HWND FindVisibleWindow(DWORD processId, const char* className = nullptr, HWND owner = nullptr);

// FindVisibleWindow, retried until such a window appears or the time is up.
HWND WaitForVisibleWindow(DWORD processId, const char* className = nullptr, HWND owner = nullptr,
                          DWORD timeoutMs = kDefaultTimeoutMs);

// Dialog boxes have this class; the main dialog and the print dialog both.
constexpr const char* kDialogClass = "#32770";

std::string ClassOf(HWND window);

}  // namespace e2e
