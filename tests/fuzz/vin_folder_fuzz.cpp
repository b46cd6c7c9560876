// The folder name made from a device's VIN, whatever its bytes: one folder inside the history,
// never "." or "..", never a device name, and a name every file system of the system can hold.
#include <cctype>
#include <string>

#include "history/VinFolder.h"
#include "tests/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string vin(reinterpret_cast<const char*>(data), size);
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
    return 0;
}
