#pragma once
// The file name Save As proposes for the viewer's text: "<VIN> <date> <report>.txt", for example
// "LSVAU2180N2183294 2026-12-08 Trouble Code.txt". The VIN comes from the device or the user,
// so it is made a plain name first; without one, the name starts with the date.
#include "framework/CString.h"

CString SaveAsName(const CString& vin, const CString& date, const char* report);

// The report part of the name while no view command has filled the viewer yet.
constexpr const char* kNoReportsShown = "Report";
