#pragma once
// How the bytes handed to the print layout form characters: the system code page's (a GBK lead
// byte with its trail byte) or UTF-8, which holds every character the viewer can show.
#include <cstddef>
#include <string>

enum class PrintEncoding { DoubleByte, Utf8 };

// The length of the character that starts at `at`. A byte that starts no whole character stands
// alone, so every byte stays in some character and a line is never cut inside one.
size_t PrintCharLength(const std::string& text, size_t at, PrintEncoding encoding);

// The code point of one whole UTF-8 sequence; U+FFFD for bytes that are not one.
char32_t Utf8CodePoint(const char* bytes, size_t length);
