#pragma once
// Finding text in GBK: a match is made of whole characters. The two bytes of a double-byte
// character belong together, so a match may not begin on the second byte of a character nor end
// on the first, and letters are compared without regard to case only where they stand alone
// (the second byte of a character may have the value of an ASCII letter; it is never folded).
#include <cstddef>
#include <string_view>

#include "framework/CString.h"

// Whether `sought` stands at byte `at` of `text` as whole characters. `text` must begin on a
// character boundary (a line start or any position the viewer reports), and is read from there.
bool IsWholeCharacterMatch(const CString& text, size_t at, const CString& sought, bool matchCase);

// The same where `fromBoundary` begins on a character boundary and `sought` would stand at its start.
bool IsWholeCharacterMatchAt(std::string_view fromBoundary, std::string_view sought, bool matchCase);
