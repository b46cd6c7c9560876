#pragma once
// How many bytes the 8-bit text of a range of the viewer's characters may take.
#include <cstddef>

// Room for `characters` characters of a code page whose longest character takes
// `maxCharBytes` bytes (2 for GBK, 4 for UTF-8), and the closing NUL. An unknown longest
// character counts as the longest any code page has.
size_t TextRangeBufferSize(long characters, unsigned maxCharBytes);
