#include "framework/CodePageText.h"

#include "framework/WideText.h"

std::string Utf8FromCodePage(std::string_view bytes, unsigned codePage)
{
    const std::wstring wide = WideText(bytes.data(), static_cast<int>(bytes.size()), codePage);
    return NarrowText(wide.data(), wide.size(), CP_UTF8);
}
