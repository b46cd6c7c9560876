#pragma once
// The history window's list: which kept runs it shows for what is typed in its filter box,
// and in which order.
#include <map>
#include <string>
#include <vector>

#include "framework/CString.h"
#include "history/RunName.h"

struct KeptRun {
    CString vinFolder;  // the VIN as its folder is named
    CString runFolder;  // the run's folder name, which gives its time
    RunTime time;
    CString reports;    // the reports it holds, as the list shows them
    bool reportsRead = false;  // read when first shown: the folders are not opened before
    CString codes = CString();  // its trouble codes, read on the keeping thread: " P0301 P0171"
    CString vin = CString();    // the first line of its VIN.DAT, read with the reports
    bool codesRead = false;     // `codes` are known; a run whose report could not be read is tried again
    bool IsSameFolder(const KeptRun& other) const { return vinFolder == other.vinFolder && runFolder == other.runFolder; }
};

// The trouble codes of kept runs by their folders: a kept run never changes, so codes read once
// are taken from here instead of being read again. Runs whose codes were not read are not here.
class CodesByRun {
public:
    explicit CodesByRun(const std::vector<KeptRun>& runs);
    const CString* Of(const KeptRun& run) const;  // null: not among the runs

private:
    std::map<std::string, CString> m_codes;
};

// Each of `runs` takes the codes that the same run has in `read`, where it is there; runs not in
// `runs` (deleted since) are not brought back.
void TakeCodes(std::vector<KeptRun>& runs, const std::vector<KeptRun>& read);

enum class HistoryColumn { Vin, Time, Codes };

// True when `filter` is part of the run's VIN, or the start of one of its trouble codes, ignoring
// the case of ASCII letters; an empty filter takes every run.
bool MatchesFilter(const KeptRun& run, const CString& filter);

// The runs matching `filter`, as indices into `runs`, ordered by `column`; runs equal in that
// column stay newest first.
std::vector<size_t> ListedRuns(const std::vector<KeptRun>& runs, const CString& filter, HistoryColumn column,
                               bool ascending);
