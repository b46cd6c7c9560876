// For any bytes in the VIN box: one line of printable ASCII; a warning only for 17 characters.
#include "tests/fuzz/FuzzCheck.h"
#include "vin/VinFacts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const CString vin(std::string(reinterpret_cast<const char*>(data), size));
    const VinFactsLine facts = VinFactsFor(vin, 2026);
    FUZZ_CHECK(facts.text.IsEmpty() == vin.IsEmpty());
    for (char character : facts.text.Bytes()) FUZZ_CHECK(character >= 0x20 && character < 0x7F);
    if (facts.warning) FUZZ_CHECK(size == 17);
    return 0;
}
