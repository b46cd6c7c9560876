// The native build's conversion, for the unit tests and the fuzz targets.
#include <iconv.h>

#include <cerrno>
#include <string>

#include "framework/CodePageText.h"

std::string Utf8FromCodePage(std::string_view bytes, unsigned codePage)
{
    const std::string name = codePage == 936 ? "GBK" : "CP" + std::to_string(codePage);
    std::string utf8;
    utf8.reserve(bytes.size() + bytes.size() / 2);
    const iconv_t converter = iconv_open("UTF-8", name.c_str());
    if (converter == reinterpret_cast<iconv_t>(-1)) return utf8;
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        const size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
        utf8.append(buffer, static_cast<size_t>(out - buffer));
        if (done == static_cast<size_t>(-1) && errno != E2BIG) {
            utf8 += "\xEF\xBF\xBD";
            ++in;
            --inLeft;
        }
    }
    iconv_close(converter);
    return utf8;
}
