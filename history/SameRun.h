#pragma once
// Plugging the same device in again must not keep its run twice: a run is already kept when
// a kept run holds the same report files with the same bytes. Names and sizes are compared
// first, so only a run that may be the same is read.
#include <optional>
#include <vector>

#include "framework/CString.h"

struct RunFile {
    CString name;  // as the folder lists it; the system ignores case in names
    unsigned long long size = 0;
};

// For each file of `a`, the index of the file of `b` with its name (ignoring case) and size;
// nothing when the two runs differ in their files' names or sizes.
std::optional<std::vector<size_t>> PairedFiles(const std::vector<RunFile>& a, const std::vector<RunFile>& b);
