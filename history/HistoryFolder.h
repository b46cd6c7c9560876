#pragma once
// Where the history is kept: Documents\Mardello, one folder per VIN, one folder per run in it.
#include "framework/CString.h"

// The report files of a run, as the device names them in PRINT: a run is these that exist.
constexpr const char* kRunReportFiles[] = {"VIN.DAT", "DTC.DAT", "CDS.DAT", "FROZEN.DAT"};

// Documents\Mardello (not made here); empty when the system names no Documents folder.
CString HistoryFolder();

// The system's words for an error code, without the line end, for the history window.
CString SystemMessage(unsigned long error);
