#pragma once
// Where the history is kept: Documents\Mardello, one folder per VIN, one folder per run in it.
#include "framework/CString.h"

// Documents\Mardello (not made here); empty when the system names no Documents folder.
CString HistoryFolder();
