#pragma once
// The viewer's font for Chinese text. Where the system's code page is not Chinese, the font the
// viewer was given may have no Chinese characters and show boxes for them.
#include "framework/Controls.h"

// When `viewerText` (UTF-8) holds Chinese characters and the viewer's font has none, the empty
// viewer takes the first font that has them, at its own size; it keeps it from then on.
void FitViewerFontTo(const CRichEditCtrl& viewer, const CString& viewerText);
