#include "framework/WideText.h"

std::wstring WideText(const char* bytes, int size, UINT codePage)
{
    if (size <= 0) return std::wstring();
    const int wideLength = ::MultiByteToWideChar(codePage, 0, bytes, size, nullptr, 0);
    if (wideLength <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    ::MultiByteToWideChar(codePage, 0, bytes, size, wide.data(), wideLength);
    return wide;
}
