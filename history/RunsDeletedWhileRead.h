#pragma once
// Runs deleted while the history is being read on the keeping thread: the list that read brings
// was taken from the disk before, and must not bring them back.
#include <set>
#include <string>
#include <vector>

#include "history/HistoryList.h"

class RunsDeletedWhileRead {
public:
    // A read starting now sees the disk without the runs deleted so far.
    void ReadStarted() { m_folders.clear(); }
    void Deleted(const std::vector<KeptRun>& runs);
    // `runs` without the runs deleted since the read that brought them started.
    void DropFrom(std::vector<KeptRun>& runs) const;

private:
    std::set<std::string> m_folders;
};
