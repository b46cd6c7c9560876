#include "history/VinFolder.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

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
