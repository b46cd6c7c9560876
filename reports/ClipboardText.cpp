#include "reports/ClipboardText.h"

#include <string>

CString ClipboardText(const CString& viewerText)
{
    const std::string& in = viewerText.Bytes();
    std::string out;
    out.reserve(in.size() + in.size() / 8);
    for (size_t i = 0; i < in.size(); ++i) {
        out += in[i];
        if (in[i] == '\r' && (i + 1 == in.size() || in[i + 1] != '\n')) out += '\n';
    }
    return CString(std::move(out));
}
