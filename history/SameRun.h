#pragma once
// Plugging the same device in again must not keep its run twice: a run is already kept when
// a kept run holds the same report files with the same bytes, whatever else the user put in
// its folder (a photo, the Explorer's desktop.ini). Names and sizes are compared first, so
// only a run that may be the same is read.
#include <optional>
#include <vector>

#include "framework/CString.h"

struct RunFile {
    CString name;  // as the folder lists it; the system ignores case in names
    unsigned long long size = 0;
};

// True for the files a run is made of (reports/ReportFiles.h), ignoring case.
bool IsReportFile(const CString& name);

// For each file of `a` (a run's report files), the index of the file of `b` with its name
// (ignoring case) and size; nothing when the two runs differ in their report files' names or
// sizes. Other files of `b` do not count.
std::optional<std::vector<size_t>> PairedFiles(const std::vector<RunFile>& a, const std::vector<RunFile>& b);
