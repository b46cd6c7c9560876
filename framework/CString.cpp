#include "CString.h"

#include <cstring>

namespace {

bool IsTrimmedSpace(unsigned char byte) { return byte == 0x20 || (byte >= 0x09 && byte <= 0x0D); }

char FoldAscii(char ch) { return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch; }

size_t Clamp(int value, size_t high)
{
    if (value < 0) return 0;
    return static_cast<size_t>(value) > high ? high : static_cast<size_t>(value);
}

int ToIndex(size_t position) { return position == std::string::npos ? -1 : static_cast<int>(position); }

}  // namespace

int CString::Find(char ch, int start) const
{
    return ToIndex(m_bytes.find(ch, Clamp(start, m_bytes.size())));
}

int CString::Find(const char* text, int start) const
{
    return ToIndex(m_bytes.find(text ? text : "", Clamp(start, m_bytes.size())));
}

int CString::ReverseFind(char ch) const { return ToIndex(m_bytes.rfind(ch)); }

CString CString::Left(int count) const { return CString(m_bytes.substr(0, Clamp(count, m_bytes.size()))); }

CString CString::Mid(int first) const { return CString(m_bytes.substr(Clamp(first, m_bytes.size()))); }

CString CString::Mid(int first, int count) const
{
    size_t from = Clamp(first, m_bytes.size());
    return CString(m_bytes.substr(from, Clamp(count, m_bytes.size() - from)));
}

int CString::Replace(const char* old, const char* replacement)
{
    size_t oldLength = old ? std::strlen(old) : 0;
    if (oldLength == 0) return 0;
    std::string with = replacement ? replacement : "";
    std::string result;
    result.reserve(m_bytes.size());
    int count = 0;
    size_t from = 0;
    for (size_t hit; (hit = m_bytes.find(old, from, oldLength)) != std::string::npos; from = hit + oldLength) {
        result.append(m_bytes, from, hit - from);
        result += with;
        ++count;
    }
    if (count == 0) return 0;
    result.append(m_bytes, from, std::string::npos);
    m_bytes.swap(result);
    return count;
}

int CString::CompareNoCase(const char* other) const
{
    const std::string theirs = other ? other : "";
    size_t i = 0;
    for (; i < m_bytes.size() && i < theirs.size(); ++i) {
        char mine = m_bytes[i], their = theirs[i];
        bool pair = IsLeadByte(static_cast<unsigned char>(mine)) && i + 1 < m_bytes.size();
        if (!pair) {
            mine = FoldAscii(mine);
            their = FoldAscii(their);
        }
        if (mine != their) return static_cast<unsigned char>(mine) < static_cast<unsigned char>(their) ? -1 : 1;
        if (pair) {
            if (++i >= theirs.size()) break;
            if (m_bytes[i] != theirs[i])
                return static_cast<unsigned char>(m_bytes[i]) < static_cast<unsigned char>(theirs[i]) ? -1 : 1;
        }
    }
    if (m_bytes.size() == theirs.size()) return 0;
    return m_bytes.size() < theirs.size() ? -1 : 1;
}

CString& CString::TrimLeft()
{
    size_t first = 0;
    while (first < m_bytes.size() && IsTrimmedSpace(static_cast<unsigned char>(m_bytes[first]))) ++first;
    m_bytes.erase(0, first);
    return *this;
}

CString& CString::TrimRight()
{
    size_t end = m_bytes.size();
    while (end > 0 && IsTrimmedSpace(static_cast<unsigned char>(m_bytes[end - 1]))) --end;
    m_bytes.erase(end);
    return *this;
}
