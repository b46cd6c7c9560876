#pragma once
// Turns the viewer's text into the lines that go on paper.
#include <cstddef>
#include <functional>
#include <vector>

#include "framework/CString.h"
#include "output/PrintCharacters.h"

// Splits the viewer text (paragraphs ended by a bare CR, as the viewer's text range gives
// them) into lines. The text after the last CR is one more line when it is not empty.
// An empty text gives no line. Every byte other than the CRs is kept.
std::vector<CString> SplitPrintLines(const CString& viewerText);

// Width, in device units, of one character: a single byte, a GBK lead byte with its trail byte,
// or a UTF-8 sequence.
using CharWidth = std::function<int(const char* character, size_t length)>;

// Wraps one line to maxWidth: breaks after the last space that fits, or, in a run with no
// space, before the character that would not fit; never inside a double-byte character;
// at least one character per piece. The pieces joined give the line back byte for byte.
// An empty line gives one empty piece (a blank line position).
std::vector<CString> WrapPrintLine(const CString& line, int maxWidth, const CharWidth& width,
                                   PrintEncoding encoding = PrintEncoding::DoubleByte);
