// The folder name made from a device's VIN, whatever its bytes: one folder inside the history,
// never "." or "..", never a device name, and a name every file system of the system can hold.
// The input is two VINs (the first byte gives the first one's length): different VINs never
// share a folder, which the system names ignoring case. The whole input read as a VIN.DAT
// names a VIN without line ends or blanks around it, which makes such a folder too.
#include <algorithm>
#include <cctype>
#include <string>

#include "history/VinFolder.h"
#include "history/VinOfFile.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

std::string CheckedName(const std::string& vin)
{
    const std::string name = VinFolderName(CString(vin)).Bytes();
    FUZZ_CHECK(!name.empty() && name.size() <= static_cast<size_t>(kVinFolderMaxLength));
    FUZZ_CHECK(name.find("..") == std::string::npos);
    FUZZ_CHECK(name.back() != '.' && name.back() != ' ');
    for (unsigned char byte : name)
        FUZZ_CHECK(byte >= 0x20 && byte < 0x7F && std::string("\\/:*?\"<>|").find(static_cast<char>(byte)) == std::string::npos);
    if (name != kNoVinFolder) FUZZ_CHECK(name.find_first_of("()") == std::string::npos);

    std::string stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    for (char& ch : stem) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    for (const char* device : {"CON", "PRN", "AUX", "NUL"}) FUZZ_CHECK(stem != device);
    FUZZ_CHECK(!(stem.size() == 4 && (stem.rfind("COM", 0) == 0 || stem.rfind("LPT", 0) == 0) &&
                 std::isdigit(static_cast<unsigned char>(stem[3]))));
    return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const size_t firstLength = input.Byte();
    const std::string rest = input.Rest();
    const std::string first = rest.substr(0, firstLength);
    const std::string second = rest.substr(std::min(firstLength, rest.size()));
    const std::string firstName = CheckedName(first);
    const std::string secondName = CheckedName(second);
    if (first != second) FUZZ_CHECK(CString(firstName).CompareNoCase(CString(secondName)) != 0);
    const std::string vin = VinOfFile(reinterpret_cast<const char*>(data), size).Bytes();
    const auto blank = [](char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); };
    FUZZ_CHECK(vin.find('\n') == std::string::npos && (vin.empty() || (!blank(vin.front()) && !blank(vin.back()))));
    CheckedName(vin);
    return 0;
}
