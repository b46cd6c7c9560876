#pragma once
// The program's 8-bit string: bytes in the system code page (GBK on a Chinese system),
// counted, so a report line is kept byte for byte. Free of windows.h so the rules built
// on it are tested natively.
#include <cstddef>
#include <string>

class CString {
public:
    CString() = default;
    CString(const char* text) : m_bytes(text ? text : "") {}
    CString(const char* bytes, size_t count) : m_bytes(bytes, count) {}
    CString(size_t count, char ch) : m_bytes(count, ch) {}
    explicit CString(std::string bytes) : m_bytes(std::move(bytes)) {}

    int GetLength() const { return static_cast<int>(m_bytes.size()); }
    size_t Size() const { return m_bytes.size(); }
    bool IsEmpty() const { return m_bytes.empty(); }
    void Empty() { m_bytes.clear(); }
    char GetAt(int index) const { return m_bytes[static_cast<size_t>(index)]; }
    char operator[](int index) const { return GetAt(index); }
    const char* GetString() const { return m_bytes.c_str(); }
    operator const char*() const { return m_bytes.c_str(); }
    const std::string& Bytes() const { return m_bytes; }

    CString& operator=(const char* text) { m_bytes = text ? text : ""; return *this; }
    CString& operator+=(const CString& more) { m_bytes += more.m_bytes; return *this; }
    CString& operator+=(const char* more) { m_bytes += more ? more : ""; return *this; }
    CString& operator+=(char ch) { m_bytes += ch; return *this; }
    void Append(const char* bytes, size_t count) { m_bytes.append(bytes, count); }

    friend CString operator+(CString left, const CString& right) { return left += right; }
    friend CString operator+(CString left, const char* right) { return left += right; }
    friend CString operator+(const char* left, const CString& right) { return CString(left) += right; }
    friend bool operator==(const CString& a, const CString& b) { return a.m_bytes == b.m_bytes; }
    friend bool operator!=(const CString& a, const CString& b) { return a.m_bytes != b.m_bytes; }
    friend bool operator==(const CString& a, const char* b) { return a.m_bytes == (b ? b : ""); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }

    // -1 when not found.
    int Find(char ch, int start = 0) const;
    int Find(const char* text, int start = 0) const;
    int ReverseFind(char ch) const;
    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    int Replace(const char* old, const char* replacement);

    // Compares ignoring the case of ASCII letters; the second byte of a double-byte
    // character is never folded, so two different GBK characters never compare equal.
    int CompareNoCase(const char* other) const;

    // White space is 0x20 and 0x09 to 0x0D only: bytes from 0x80 up are parts of
    // double-byte characters (a GBK full-width space among them) and always stay.
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim() { return TrimRight().TrimLeft(); }

private:
    std::string m_bytes;
};

// True for a GBK lead byte: it and the byte after it form one character.
inline bool IsLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }
