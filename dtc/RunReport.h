#pragma once
// A kept run's trouble-code report, read whole for its codes.
#include "dtc/BeforeAndAfter.h"

// The trouble codes of the run in `runFolder`; hasReport is false when it holds no trouble-code
// report or the report cannot be read.
RunCodes CodesOfRun(const CString& runFolder, const CString& runTime);
