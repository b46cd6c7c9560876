#pragma once
// How the bytes of a report file are read as characters. A byte-order mark says it outright;
// without one, zero bytes in every other place are UTF-16; bytes that read as UTF-8 beyond ASCII
// (one stray byte in a long text, or a character cut at the end, allowed) are UTF-8, unless they
// are also GBK and their UTF-8 reading holds no character of three or four bytes and only two-byte
// ones past Latin (lead byte 0xC4 or more): short Chinese words in GBK often read as such; the
// rest is the device's code page.
#include <cstddef>
#include <string_view>

// Code pages by the numbers the system gives them.
constexpr unsigned kCodePageGbk = 936;
constexpr unsigned kCodePageWestern = 1252;
constexpr unsigned kCodePageUtf16Le = 1200;
constexpr unsigned kCodePageUtf16Be = 1201;
constexpr unsigned kCodePageUtf8 = 65001;

struct ReportEncoding {
    unsigned codePage;
    size_t markSize;  // the byte-order mark's bytes at the start, which are no character
};

ReportEncoding DetectedEncoding(std::string_view bytes, unsigned deviceCodePage);

// The encoding a report read with no choice made is taken to be: the device writes GBK.
inline ReportEncoding AutomaticEncoding(std::string_view bytes) { return DetectedEncoding(bytes, kCodePageGbk); }

// The encoding a user chose by hand: its code page, with any byte-order mark skipped, so a mark
// never shows whichever encoding is chosen.
ReportEncoding ChosenEncoding(std::string_view bytes, unsigned codePage);

// The size of the byte-order mark `bytes` start with, whichever encoding it names; 0 for none.
size_t MarkSize(std::string_view bytes);

// The length of the UTF-8 sequence at `at`: 1 for ASCII, 0 when no valid one starts there (an
// overlong form, a surrogate, a value past U+10FFFF, a sequence cut short).
size_t Utf8SequenceLength(std::string_view bytes, size_t at);
