#include "history/ComparedRuns.h"

namespace {

// By the VIN in the runs' VIN.DAT, so runs in a folder renamed by hand, or kept by an earlier
// version under another name, are compared with the rest of their vehicle's.
bool OfOneVehicle(const KeptRun& a, const KeptRun& b)
{
    const CString vehicle = VehicleOf(a);
    return !vehicle.IsEmpty() && vehicle == VehicleOf(b);
}

bool IsOlder(const KeptRun& a, const KeptRun& b) { return CompareRunOrder(a, b) < 0; }

}  // namespace

bool SelectedPair(const std::vector<KeptRun>& runs, const std::vector<size_t>& selected, RunPair& pair)
{
    if (selected.size() != 2 || selected[0] == selected[1]) return false;
    const KeptRun& first = runs[selected[0]];
    const KeptRun& second = runs[selected[1]];
    if (!OfOneVehicle(first, second)) return false;
    pair = IsOlder(first, second) ? RunPair{selected[0], selected[1]} : RunPair{selected[1], selected[0]};
    return true;
}

bool WithPrevious(const std::vector<KeptRun>& runs, size_t run, RunPair& pair)
{
    bool found = false;
    for (size_t i = 0; i < runs.size(); ++i) {
        if (!OfOneVehicle(runs[i], runs[run]) || !IsOlder(runs[i], runs[run])) continue;
        if (!found || IsOlder(runs[pair.before], runs[i])) pair = {i, run};
        found = true;
    }
    return found;
}
