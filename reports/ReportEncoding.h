#pragma once
// How the bytes of a report file are read as characters. A byte-order mark says it outright;
// without one, bytes that are valid UTF-8 and hold a character beyond ASCII are UTF-8 (text in
// GBK or any other 8-bit code page almost never is); the rest is the device's code page.
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

// Valid UTF-8 (no overlong form, no surrogate, nothing above U+10FFFF, no sequence cut short)
// with at least one sequence of more than one byte.
bool IsUtf8BeyondAscii(std::string_view bytes);
