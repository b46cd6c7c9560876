#pragma once
// The viewer's text as the clipboard's plain text wants it: every paragraph break as CR LF.
#include "framework/CString.h"

// Each CR not already followed by LF gets one; every other byte is kept as it is.
CString ClipboardText(const CString& viewerText);
