// Folder-name matching: the comparison is an order (reflexive, antisymmetric), equal names
// have the same length and the same bytes up to ASCII case, and the second byte of a GBK
// pair never matches by case.
#include "device/DriveList.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

char Lower(char ch) { return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Two names split at the first NUL: a name from the folder listing never holds one.
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t nul = input.find('\0');
    const std::string first = input.substr(0, nul);
    const std::string second = nul == std::string::npos ? std::string() : input.substr(nul + 1);
    const std::string secondName = second.substr(0, second.find('\0'));
    const CString a(first), b(secondName);

    FUZZ_CHECK(a.CompareNoCase(a.GetString()) == 0);
    const int ab = a.CompareNoCase(b.GetString());
    FUZZ_CHECK(Sign(ab) == -Sign(b.CompareNoCase(a.GetString())));
    FUZZ_CHECK(IsFolderNamed(a, b.GetString()) == (ab == 0));
    if (ab == 0) {
        FUZZ_CHECK(first.size() == secondName.size());
        for (size_t i = 0; i < first.size(); ++i) {
            const bool pair = IsGbkLeadByte(first[i]) && i + 1 < first.size();
            FUZZ_CHECK(Lower(first[i]) == Lower(secondName[i]));
            if (pair) {
                ++i;
                FUZZ_CHECK(first[i] == secondName[i]);
            }
        }
    }
    // The folder looked for matches whatever case its ASCII letters were written in.
    std::string upper = first;
    bool ascii = true;
    for (char& ch : upper) {
        ascii = ascii && static_cast<unsigned char>(ch) < 0x80;
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    }
    if (ascii) FUZZ_CHECK(IsFolderNamed(a, upper.c_str()));
    return 0;
}
