#pragma once
// The history window's list: which kept runs it shows for what is typed in its filter box,
// and in which order.
#include <map>
#include <string>
#include <vector>

#include "framework/CString.h"
#include "history/RunName.h"

struct KeptRun {
    CString vinFolder;  // the VIN as its folder is named, or as the user renamed it
    CString runFolder;  // the run's folder name, which gives its time unless the user renamed it
    RunTime time;       // from the folder's name, or its reports' time when renamed
    CString reports;    // the reports it holds, as the list shows them
    CString codes = CString();  // its trouble codes, read on the keeping thread: " P0301 P0171"
    CString vin = CString();    // the VIN its VIN.DAT names (KeptVin), read with the reports or the codes
    bool codesRead = false;     // `codes` are known; a run whose report could not be read is tried again
    int copy = 1;               // " (n)" of runs kept in one second; 0 for a renamed folder
    CString plate = CString();    // its job card's plate in the system's code page, read with the codes
    CString jobKeys = CString();  // what the filter finds of its job card (JobFilterKeys), read with the codes
    CString waitingIn = CString();  // the outbox it waits in to go into the history; empty for the history's
    bool IsSameFolder(const KeptRun& other) const
    {
        return vinFolder == other.vinFolder && runFolder == other.runFolder && waitingIn == other.waitingIn;
    }
};

// The history's order: by time, then by copy number as a number ("(2)" before "(10)"), then by
// folder name, so that renamed folders and runs of several vehicles have one order too.
// Negative when `a` is older.
int CompareRunOrder(const KeptRun& a, const KeptRun& b);

// The vehicle a run is of, for comparing runs: the VIN its VIN.DAT names once read, else its
// folder's name; empty for runs kept without a VIN, which may be of any vehicle.
CString VehicleOf(const KeptRun& run);

// The trouble codes and VINs of kept runs by their folders: a kept run never changes, so what
// was read once is taken from here instead of being read again. Codes not read are not known.
class CodesByRun {
public:
    explicit CodesByRun(const std::vector<KeptRun>& runs);
    const CString* VinOf(const KeptRun& run) const;
    // The run as read before, once its codes and job card were read; null otherwise.
    const KeptRun* ReadBefore(const KeptRun& run) const;

private:
    std::map<std::string, const KeptRun*> m_runs;
};

// Each of `runs` takes the codes, the job card and the VIN that the same run has in `read`, where it is there;
// runs not in `runs` (deleted since) are not brought back.
void TakeCodes(std::vector<KeptRun>& runs, const std::vector<KeptRun>& read);

enum class HistoryColumn { Vin, Time, Codes, Plate };

// True when `filter` is part of the VIN the list shows (its VIN.DAT's, or its folder's), or the start of one of its trouble codes,
// or of its plate, customer or job number, ignoring
// the case of ASCII letters; an empty filter takes every run.
bool MatchesFilter(const KeptRun& run, const CString& filter);

// The runs matching `filter`, as indices into `runs`, ordered by `column`; runs equal in that
// column stay newest first.
std::vector<size_t> ListedRuns(const std::vector<KeptRun>& runs, const CString& filter, HistoryColumn column,
                               bool ascending);
