#include "history/RunsDeletedWhileRead.h"

#include <algorithm>

namespace {

std::string FolderOf(const KeptRun& run) { return (run.vinFolder + "\\" + run.runFolder).Bytes(); }

}  // namespace

void RunsDeletedWhileRead::Deleted(const std::vector<KeptRun>& runs)
{
    for (const KeptRun& run : runs) m_folders.insert(FolderOf(run));
}

void RunsDeletedWhileRead::DropFrom(std::vector<KeptRun>& runs) const
{
    if (m_folders.empty()) return;
    runs.erase(std::remove_if(runs.begin(), runs.end(), [&](const KeptRun& run) { return m_folders.count(FolderOf(run)) != 0; }),
               runs.end());
}
