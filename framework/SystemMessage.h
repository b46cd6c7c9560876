#pragma once
// The system's words for an error code, as the status line and the history window show them.
#include "framework/CString.h"

// Without the line end; "error <code>" when the system has no words for it.
CString SystemMessage(unsigned long error);
