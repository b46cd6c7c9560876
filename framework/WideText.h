#pragma once
// The program's 8-bit text as the system's wide calls and Unicode formats want it.
#include <windows.h>

#include <string>

// `size` bytes read in `codePage`; empty when there are none or they cannot be read. A closing
// NUL counted in `size` is converted with them.
std::wstring WideText(const char* bytes, int size, UINT codePage);

// Wide text as UTF-8, the print layout's bytes.
std::string Utf8Text(const std::wstring& wide);
// `length` wide characters as bytes of `codePage`. `allFit`, when given, tells whether each
// character has bytes of its own there (none replaced by a default or a look-alike).
std::string NarrowText(const wchar_t* text, size_t length, UINT codePage, bool* allFit = nullptr);
