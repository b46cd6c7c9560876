#pragma once
// The printer the print dialog first offers, which the preview lays its pages out for.
#include <windows.h>

#include "framework/CString.h"

// Its name: the "device" entry of the system's settings up to its first comma; empty without one.
CString DefaultPrinterName();
