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

std::string NarrowText(const wchar_t* text, size_t length, UINT codePage, bool* allFit)
{
    if (allFit) *allFit = true;
    if (length == 0) return std::string();
    // UTF-8 holds every character, and the system refuses to say so when asked.
    const bool judged = allFit && codePage != CP_UTF8 && !(codePage == CP_ACP && ::GetACP() == CP_UTF8);
    const DWORD flags = judged ? WC_NO_BEST_FIT_CHARS : 0;
    BOOL usedDefault = FALSE;
    const int size = static_cast<int>(length);
    const int narrowLength = ::WideCharToMultiByte(codePage, flags, text, size, nullptr, 0, nullptr, nullptr);
    if (narrowLength <= 0) return std::string();
    std::string narrow(static_cast<size_t>(narrowLength), '\0');
    ::WideCharToMultiByte(codePage, flags, text, size, narrow.data(), narrowLength, nullptr,
                          judged ? &usedDefault : nullptr);
    if (allFit) *allFit = !usedDefault;
    return narrow;
}

std::string Utf8Text(const std::wstring& wide) { return NarrowText(wide.data(), wide.size(), CP_UTF8); }
