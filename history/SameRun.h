#pragma once
// Plugging the same device in again must not keep its run twice: a run is already kept when
// a kept run holds the same report files with the same bytes.
#include <string>
#include <vector>

#include "framework/CString.h"

struct RunFile {
    CString name;  // as the folder lists it; the system ignores case in names
    std::string bytes;
};

// Same file names (ignoring case), each with the same bytes, in any order.
bool IsSameRun(const std::vector<RunFile>& a, const std::vector<RunFile>& b);
