// A job file of any bytes: what is read fits the window's fields and is UTF-8 text, and the card
// written back reads as the same card with nothing left out.
#include <string>

#include "jobcard/JobCardFile.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

// UTF-16 units of well-formed UTF-8 text without control characters but tab and line ends.
int Units(const std::string& text)
{
    int units = 0;
    for (size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        FUZZ_CHECK(lead >= 0x20 || lead == '\t' || lead == '\r' || lead == '\n');
        const size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        FUZZ_CHECK(lead < 0x80 || lead >= 0xC2);
        FUZZ_CHECK(at + length <= text.size());
        for (size_t k = 1; k < length; ++k) FUZZ_CHECK((static_cast<unsigned char>(text[at + k]) & 0xC0) == 0x80);
        units += length == 4 ? 2 : 1;
        at += length;
    }
    return units;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const JobCardRead read = ReadJobCard(reinterpret_cast<const char*>(data), size);
    const JobCard& card = read.card;
    FUZZ_CHECK(Units(card.plate.Bytes()) <= kPlateMaxLength);
    FUZZ_CHECK(Units(card.customer.Bytes()) <= kCustomerMaxLength);
    FUZZ_CHECK(Units(card.jobNumber.Bytes()) <= kJobNumberMaxLength);
    FUZZ_CHECK(Units(card.notes.Bytes()) <= kNotesMaxLength);
    FUZZ_CHECK(card.mileage.Bytes().find_first_not_of("0123456789") == std::string::npos);
    for (const CString* field : {&card.plate, &card.customer, &card.jobNumber})
        FUZZ_CHECK(field->Bytes().find_first_of("\r\n") == std::string::npos);

    const CString written = JobCardFileText(card);
    const JobCardRead again = ReadJobCard(written.GetString(), written.Size());
    FUZZ_CHECK(again.trouble == kJobCardFine);
    FUZZ_CHECK(again.card == card);
    return 0;
}
