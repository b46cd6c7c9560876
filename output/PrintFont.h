#pragma once
// The font that prints the VIN, the report and the footer: 100 units of a 600-dpi page high, in
// the character set of the system's code page, so that the report's GBK text prints as the
// characters the viewer shows instead of as boxes or as letters of a Western font.
#include "framework/Gdi.h"

// A font of `height` device units for `printer` (a printer's device or information context, or a
// context standing in for one) that holds the characters of the system's code page; bold for the
// workshop's name.
CFont CreatePrintFont(const CDCHandle& printer, int height, bool bold = false);
