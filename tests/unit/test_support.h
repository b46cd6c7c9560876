#pragma once
// Helpers shared by the unit tests: readable failure output for byte strings.
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "framework/CString.h"
#include "tests/GbkLeadByte.h"

// Bytes as a C literal would spell them, so a CR, a NUL or a GBK byte is visible in a failure.
inline std::string Escaped(const std::string& bytes)
{
    std::string out = "\"";
    for (unsigned char byte : bytes) {
        if (byte == '\r') out += "\\r";
        else if (byte == '\n') out += "\\n";
        else if (byte == '\t') out += "\\t";
        else if (byte == '"' || byte == '\\') (out += '\\') += static_cast<char>(byte);
        else if (byte >= 0x20 && byte < 0x7F) out += static_cast<char>(byte);
        else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        }
    }
    return out + "\"";
}

// GoogleTest finds this by argument-dependent lookup when it prints a CString.
inline void PrintTo(const CString& text, std::ostream* out)
{
    // Long texts (the performance rows) would flood the log; their start and size are enough.
    const std::string& bytes = text.Bytes();
    if (bytes.size() > 200) *out << Escaped(bytes.substr(0, 200)) << "... (" << bytes.size() << " bytes)";
    else *out << Escaped(bytes);
}

inline std::vector<CString> Texts(const std::vector<std::string>& bytes)
{
    std::vector<CString> texts;
    for (const std::string& one : bytes) texts.emplace_back(one);
    return texts;
}
