#pragma once
// A kept run's trouble-code report, read whole for its codes, as the viewer reads it.
#include "dtc/BeforeAndAfter.h"
#include "reports/ReportFileText.h"

// The trouble codes of the run in `runFolder`, its report read in the encoding `encodingOf`
// finds; `report` says whether it was there and read to its end. `read`: as the thread it runs on
// may wait (ReportFileText.h).
RunCodes CodesOfRun(const CString& runFolder, const CString& runTime, const EncodingOf& encodingOf,
                    ReadReport read = ReadReportText);
