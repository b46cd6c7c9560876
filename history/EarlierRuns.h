#pragma once
// The runs kept on this PC before the history moved to another folder (a share, or one set by
// the administrator): they stay in Documents\Mardello, and the history window offers once to
// copy them into the history in use, by the rules of a keep.
#include <atomic>

#include "framework/CString.h"

// Whether they were all copied into `historyFolder`, and so are offered no more there; kept under
// the program's settings. Another folder chosen later is offered them once too.
bool EarlierRunsCopied(const CString& historyFolder);
bool SetEarlierRunsCopied(const CString& historyFolder);
// The runs in `earlier` that could be copied into `historyFolder`: none when it is the same folder.
size_t EarlierRunsToCopy(const CString& earlier, const CString& historyFolder);
// Each run of `earlier` kept into `historyFolder`: one already there, or deleted there, is not
// kept again, and the runs stay in `earlier`. Returns how many could not be kept now.
size_t CopyEarlierRuns(const CString& earlier, const CString& historyFolder, const std::atomic<bool>& stop);
