#include "history/VinFolder.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

bool IsPlain(unsigned char byte) { return std::isalnum(byte) || byte == '-' || byte == '_'; }

// The names Windows takes for devices in every folder, whatever extension follows them.
bool IsDeviceName(const std::string& name)
{
    std::string stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    for (char& ch : stem) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
           std::isdigit(static_cast<unsigned char>(stem[3]));
}

// FNV-1a: short, and the same on every system and in every version.
std::string HashOf(const std::string& bytes)
{
    std::uint32_t hash = 2166136261u;
    for (unsigned char byte : bytes) hash = (hash ^ byte) * 16777619u;
    char text[16];
    std::snprintf(text, sizeof text, "~%08X", static_cast<unsigned>(hash));
    return text;
}

bool HasSmallLetter(const std::string& bytes)
{
    for (unsigned char byte : bytes)
        if (byte >= 'a' && byte <= 'z') return true;
    return false;
}

}  // namespace

CString PlainVinName(const CString& vin)
{
    std::string name;
    for (unsigned char byte : vin.Bytes()) {
        if (name.size() == kVinFolderMaxLength) break;
        // A dot after a dot would make "..", a space at the start an easily mistaken name: such
        // dots and spaces are left out.
        if (byte == '.' || byte == ' ') {
            if (!name.empty() && name.back() != '.' && name.back() != ' ') name += static_cast<char>(byte);
            continue;
        }
        name += IsPlain(byte) ? static_cast<char>(byte) : '_';
    }
    const auto trimEnd = [&] {
        while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
    };
    trimEnd();
    if (name.empty()) return kNoVinFolder;
    if (IsDeviceName(name)) {
        name = "_" + name.substr(0, kVinFolderMaxLength - 1);
        trimEnd();
    }
    return CString(name);
}

CString VinFolderName(const CString& vin)
{
    if (vin.IsEmpty()) return kNoVinFolder;
    const std::string& bytes = vin.Bytes();
    std::string name = PlainVinName(vin).Bytes();
    if (name == bytes && !HasSmallLetter(bytes)) return CString(name);
    if (name == kNoVinFolder) name.clear();
    const std::string hash = HashOf(bytes);
    name.resize(std::min(name.size(), kVinFolderMaxLength - hash.size()));
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
    return CString(name + hash);
}
