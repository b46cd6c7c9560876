#include "vin/PlainVinName.h"

#include <cctype>
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
