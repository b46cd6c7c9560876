#pragma once
// The system's drive list: NUL-terminated root strings ("C:\", "E:\") closed by an empty one.
#include <cstddef>
#include <vector>

#include "framework/CString.h"

// The roots in the order of the list. Reads no byte at or beyond list + size, even when the
// list is not closed inside the buffer.
std::vector<CString> DriveRoots(const char* list, size_t size);

// A root cut before its last backslash ("E:" for "E:\"); report paths are built from it.
CString DrivePrefix(const CString& root);

// True when a listed folder name is the one looked for, ignoring case.
bool IsFolderNamed(const CString& folderName, const char* wanted);
