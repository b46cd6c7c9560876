#pragma once
#include "framework/CString.h"

// TRUE when the folder (a drive prefix such as "E:", without a trailing backslash) directly
// holds a sub-folder of the given name, ignoring case.
bool HasSubfolder(const CString& directory, const char* name);
