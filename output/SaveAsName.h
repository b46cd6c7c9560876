#pragma once
// The file name Save As proposes for the viewer's text: "<VIN> <run time> <report>.txt", for
// example "LSVAU218XN2183294 2026-12-08 09-05 Trouble Code.txt". The time, to the minute, tells
// the morning's scan of a car from the one after its repair. The VIN comes from the device or
// the user, so it is made a plain name first; without one, the name starts with the time.
#include "framework/CString.h"

// `runTime` as RunTimeText writes it, "2026-12-08 09:05:13"; empty leaves the time out.
CString SaveAsName(const CString& vin, const CString& runTime, const char* report);

// The report part of the name while no view command has filled the viewer yet.
constexpr const char* kNoReportsShown = "Report";
