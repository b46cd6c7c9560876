#pragma once
// Text of an 8-bit code page as UTF-8. Free of windows.h: the system converts it in the program,
// the C library's iconv in the native build, so the rules built on it are tested natively.
#include <string>
#include <string_view>

// `bytes` read in `codePage` (936, 1252, ...); bytes the code page gives no character become U+FFFD.
std::string Utf8FromCodePage(std::string_view bytes, unsigned codePage);
