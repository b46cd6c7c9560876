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

std::string Utf8Text(const std::wstring& wide)
{
    if (wide.empty()) return std::string();
    const int size = static_cast<int>(wide.size());
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return std::string();
    std::string utf8(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}
