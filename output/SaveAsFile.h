#pragma once
// Save As: the viewer's text, as shown and edited, into a text file for Notepad and e-mail, with
// CR LF line ends, as Copy puts it on the clipboard.
#include <windows.h>

#include <string>

#include "framework/CString.h"

// The time the reports in `reportFolder` were written, "2026-12-08 09:05:13": the newest of their
// files' times (a kept run's keep the device's), or now where there is none to read.
CString ReportsTime(const CString& reportFolder);

// The file's bytes: the system code page's when it has every character, else UTF-8 behind a
// byte-order mark, so that no character is lost; `inUtf8` says which.
CString SavedText(const std::wstring& viewerCharacters, bool& inUtf8);

// Written beside the file under another name and put in its place only when whole, so a full
// disk or a pulled-out stick leaves the old file as it was. Returns the system's error, or 0.
DWORD WriteWhole(const CString& path, const CString& bytes);
