// CR to CR LF for the clipboard: every CR ends up followed by LF, taking away the LFs that
// follow a CR gives the same bytes for the input and the output, a second pass changes
// nothing, and a text with no lone CR comes back unchanged.
#include "reports/ClipboardText.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

std::string WithoutLfAfterCr(const std::string& bytes)
{
    std::string kept;
    for (size_t i = 0; i < bytes.size(); ++i)
        if (!(bytes[i] == '\n' && i > 0 && bytes[i - 1] == '\r')) kept += bytes[i];
    return kept;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const CString output = ClipboardText(CString(input));
    const std::string& bytes = output.Bytes();

    for (size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\r') FUZZ_CHECK(i + 1 < bytes.size() && bytes[i + 1] == '\n');
    FUZZ_CHECK(WithoutLfAfterCr(bytes) == WithoutLfAfterCr(input));
    FUZZ_CHECK(bytes.size() <= 2 * input.size());
    FUZZ_CHECK(ClipboardText(output) == output);
    bool loneCr = false;
    for (size_t i = 0; i < input.size(); ++i)
        loneCr = loneCr || (input[i] == '\r' && (i + 1 == input.size() || input[i + 1] != '\n'));
    if (!loneCr) FUZZ_CHECK(bytes == input);
    return 0;
}
