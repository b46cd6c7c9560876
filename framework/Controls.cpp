#include "framework/Controls.h"

#include <cstring>
#include <vector>

CString CRichEditCtrl::GetTextRange(long first, long last) const
{
    if (last <= first) return CString();
    // A character of the 8-bit text may take two bytes, so the buffer allows for that.
    std::vector<char> buffer(static_cast<size_t>(last - first) * 2 + 1, '\0');
    TEXTRANGEA range{{first, last}, buffer.data()};
    if (SendMessage(EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)) <= 0) return CString();
    // The answer counts characters, not bytes; the text holds no NUL, so its end is the first one.
    return CString(buffer.data(), strnlen(buffer.data(), buffer.size() - 1));
}
