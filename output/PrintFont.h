#pragma once
// The font that prints the VIN, the report and the footer: 100 units of a 600-dpi page high, in
// the character set of a code page that holds the text's scripts (the system's where it does),
// so that Chinese text prints as the characters the viewer shows instead of as boxes.
#include "framework/Gdi.h"

// A font of `height` device units for `printer` (a printer's device or information context, or a
// context standing in for one) that holds the characters of `codePage`; bold for the workshop's
// name.
CFont CreatePrintFont(const CDCHandle& printer, int height, unsigned codePage, bool bold = false);
