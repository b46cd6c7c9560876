// The drive-list walk over a buffer of exactly the input's size, on the heap, so that
// AddressSanitizer sees any read past its end; the roots it gives are the buffer's strings
// in order, and each prefix is its root cut before the last backslash.
#include <cstring>
#include <memory>

#include "device/DriveList.h"
#include "tests/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::unique_ptr<char[]> list(new char[size]);
    if (size > 0) std::memcpy(list.get(), data, size);

    const std::vector<CString> roots = DriveRoots(list.get(), size);
    size_t at = 0;
    for (const CString& root : roots) {
        FUZZ_CHECK(!root.IsEmpty());
        FUZZ_CHECK(at + root.Size() < size);
        FUZZ_CHECK(std::memcmp(list.get() + at, root.GetString(), root.Size()) == 0);
        FUZZ_CHECK(list[at + root.Size()] == '\0');
        at += root.Size() + 1;

        const std::string& bytes = root.Bytes();
        const std::string prefix = DrivePrefix(root).Bytes();
        FUZZ_CHECK(bytes.compare(0, prefix.size(), prefix) == 0);
        const bool hasBackslash = bytes.find('\\') != std::string::npos;
        FUZZ_CHECK(hasBackslash ? bytes[prefix.size()] == '\\' && bytes.find('\\', prefix.size() + 1) == std::string::npos
                                : prefix == bytes);
    }
    // The walk stops only at the closing empty string or at the buffer's end.
    FUZZ_CHECK(at == size || list[at] == '\0' || std::memchr(list.get() + at, '\0', size - at) == nullptr);
    return 0;
}
