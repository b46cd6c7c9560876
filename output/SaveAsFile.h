#pragma once
// Save As: the viewer's text, as shown and edited, into a text file for Notepad and e-mail: the
// system code page's bytes with CR LF line ends, the same text Copy puts on the clipboard.
#include <windows.h>

#include "framework/CString.h"

// The date the reports in `reportFolder` were written, "2026-12-08": the newest of their files'
// times (a kept run's keep the device's), or today's where there is none to read.
CString ReportsDate(const CString& reportFolder);

// Written beside the file under another name and put in its place only when whole, so a full
// disk or a pulled-out stick leaves the old file as it was. Returns the system's error, or 0.
DWORD WriteWhole(const CString& path, const CString& bytes);
