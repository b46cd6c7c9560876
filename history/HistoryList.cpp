#include "history/HistoryList.h"

#include <algorithm>
#include <string>

#include "history/HistoryRows.h"
#include "history/VinFolder.h"
#include "jobcard/JobCardText.h"

namespace {

std::string RunKey(const KeptRun& run) { return (run.vinFolder + "\\" + run.runFolder).Bytes(); }

// ASCII letters in lower case; the second byte of a double-byte character stays as it is.
std::string Folded(const std::string& text)
{
    std::string folded = text;
    for (size_t i = 0; i < folded.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(folded[i]);
        if (IsLeadByte(byte)) ++i;
        else if (byte >= 'A' && byte <= 'Z') folded[i] = static_cast<char>(byte - 'A' + 'a');
    }
    return folded;
}

// True when `at` starts a character of `text`, not the second byte of a double-byte one.
bool StartsCharacter(const std::string& text, size_t at)
{
    size_t i = 0;
    while (i < at) i += IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    return i == at;
}

const CString& ShownVin(const KeptRun& run) { return run.vin.IsEmpty() ? run.vinFolder : run.vin; }

int Compare(const KeptRun& a, const KeptRun& b, HistoryColumn column)
{
    switch (column) {
    case HistoryColumn::Vin: return ShownVin(a).CompareNoCase(ShownVin(b));
    case HistoryColumn::Time: return CompareRunOrder(a, b);
    case HistoryColumn::Codes: return CodeCount(a.codes) - CodeCount(b.codes);
    case HistoryColumn::Plate: return a.plate.CompareNoCase(b.plate);
    }
    return 0;
}

}  // namespace

int CompareRunOrder(const KeptRun& a, const KeptRun& b)
{
    if (const int byTime = CompareRunTimes(a.time, b.time)) return byTime;
    if (a.copy != b.copy) return a.copy < b.copy ? -1 : 1;
    if (const int byName = a.runFolder.Bytes().compare(b.runFolder.Bytes())) return byName;
    return a.vinFolder.Bytes().compare(b.vinFolder.Bytes());
}

CString VehicleOf(const KeptRun& run)
{
    if (!run.vin.IsEmpty()) return run.vin;
    return run.vinFolder == kNoVinFolder ? CString() : run.vinFolder;
}

bool MatchesFilter(const KeptRun& run, const CString& filter)
{
    const std::string vin = Folded(ShownVin(run).Bytes());
    const std::string sought = Folded(filter.Bytes());
    if (!sought.empty() && Folded(run.codes.Bytes()).find(" " + sought) != std::string::npos) return true;
    if (JobKeysMatch(run.jobKeys, filter)) return true;
    for (size_t at = vin.find(sought); at != std::string::npos; at = vin.find(sought, at + 1))
        if (StartsCharacter(vin, at)) return true;
    return false;
}

std::vector<size_t> ListedRuns(const std::vector<KeptRun>& runs, const CString& filter, HistoryColumn column,
                               bool ascending)
{
    std::vector<size_t> listed;
    for (size_t i = 0; i < runs.size(); ++i)
        if (MatchesFilter(runs[i], filter)) listed.push_back(i);
    std::stable_sort(listed.begin(), listed.end(), [&](size_t a, size_t b) {
        const int order = Compare(runs[a], runs[b], column);
        if (order != 0) return ascending ? order < 0 : order > 0;
        return CompareRunOrder(runs[a], runs[b]) > 0;
    });
    return listed;
}

CodesByRun::CodesByRun(const std::vector<KeptRun>& runs)
{
    for (const KeptRun& run : runs) m_runs[RunKey(run)] = &run;
}

const KeptRun* CodesByRun::ReadBefore(const KeptRun& run) const
{
    const auto found = m_runs.find(RunKey(run));
    return found != m_runs.end() && found->second->codesRead ? found->second : nullptr;
}

const CString* CodesByRun::VinOf(const KeptRun& run) const
{
    const auto found = m_runs.find(RunKey(run));
    return found != m_runs.end() ? &found->second->vin : nullptr;
}

void TakeCodes(std::vector<KeptRun>& runs, const std::vector<KeptRun>& read)
{
    const CodesByRun codesRead(read);
    for (KeptRun& run : runs) {
        if (const KeptRun* same = codesRead.ReadBefore(run)) {
            run.codes = same->codes;
            run.plate = same->plate;
            run.jobKeys = same->jobKeys;
            run.codesRead = true;
        }
        if (const CString* vin = codesRead.VinOf(run); vin && !vin->IsEmpty()) run.vin = *vin;
    }
}
