#pragma once
// Where the history is kept, one folder per VIN, one folder per run in it. This is the one place
// that decides: the folder an administrator set for every PC, else the one the user chose, else
// Documents\Mardello. It may be on this PC, a mapped drive or a UNC path; nothing else needs to
// know which.
#include "framework/CString.h"

// The folder in use (not made here); empty when none is set and the system names no Documents folder.
CString HistoryFolder();
// Documents, and Documents\Mardello, where earlier versions kept; empty when the system names no
// Documents folder.
CString DocumentsFolder();
CString DocumentsHistoryFolder();
// The folder set by the string value HistoryFolder under HKLM\Software\Policies\Mardello, which
// wins over the user's choice; empty when none is set.
CString PolicyHistoryFolder();
// The user's choice, kept for the next start; an empty folder goes back to Documents\Mardello.
// False when it could not be kept.
bool SetHistoryFolder(const CString& folder);
