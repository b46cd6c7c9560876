#pragma once
// A run deleted from the history stays deleted: while the device still holds the same reports,
// keeping it again at the next plug-in would bring back what the user threw away. The history
// notes each deleted run by its report files (names, sizes, a hash of their bytes) in one file;
// a run whose reports changed is another run and is kept.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/CString.h"

// The history's note of deleted runs, in the history folder; never listed as a vehicle.
constexpr const char* kDeletedRunsFile = "Deleted runs.txt";
// Its first line, for a user who opens it.
constexpr const char* kDeletedRunsHeading =
    "Runs deleted from the history, by their reports: Mardello does not keep them again.\r\n";

// FNV-1a, 64 bits: the same on every system and in every version, fed a piece at a time.
class ReportHash {
public:
    void Add(const char* bytes, size_t count);
    std::uint64_t Value() const { return m_hash; }

private:
    std::uint64_t m_hash = 14695981039346656037ull;
};

struct ReportPrint {
    CString name;  // as the folder lists it; case does not count
    unsigned long long size = 0;
    std::uint64_t hash = 0;
};

// One line of the note for a run of these report files (files of other names do not count),
// in one order whatever the folder's: "CDS.DAT 812 0123456789ABCDEF; VIN.DAT 19 ...". Empty
// for a run without a report.
std::string DeletedRunLine(const std::vector<ReportPrint>& run);

// True when `note` (the note file's bytes) has the run's line.
bool WasDeleted(const std::vector<ReportPrint>& run, const std::string& note);
