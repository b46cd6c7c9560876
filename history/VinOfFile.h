#pragma once
// The VIN a VIN.DAT names, as the viewer shows it: its first line without a byte-order mark and
// without the blanks around it. A VIN corrected in an editor that adds a mark, or a blank, stays
// the same vehicle, in the same folder of the history.
#include <cstddef>

#include "framework/CString.h"

// How much of a VIN.DAT is read for its VIN: no VIN comes near it, and a file with no line end
// costs no more than this.
constexpr size_t kVinFileReadBytes = 64 * 1024;

// From the file's first bytes (up to kVinFileReadBytes). UTF-16 with a mark gives its ASCII as
// bytes and any other character as UTF-8, so two different VINs stay different; the rest is
// read in text mode: the line ends at LF or at the end-of-file mark 0x1A.
CString VinOfFile(const char* bytes, size_t count);
