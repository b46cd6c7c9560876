#pragma once
// Copy: the viewer's characters onto the clipboard as plain text: in Unicode, the same text in
// the system code page's bytes, and the locale that says which code page the bytes are in.
// Without the locale, Windows reads the bytes in the code page of the keyboard layout active when
// the clipboard closes, and with an English layout Chinese lines paste into Unicode programs as
// nonsense.
#include <windows.h>

#include <string>

// Replaces what the clipboard holds; a clipboard that cannot be opened or filled keeps it.
void CopyToClipboard(const std::wstring& viewerCharacters, HWND owner);
