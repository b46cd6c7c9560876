#include "jobcard/JobCardFile.h"

#include <cctype>
#include <string>

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

struct Field {
    const char* key;
    CString JobCard::*value;
    int maxLength;
};

constexpr Field kFields[] = {
    {"Plate", &JobCard::plate, kPlateMaxLength},
    {"Customer", &JobCard::customer, kCustomerMaxLength},
    {"Job number", &JobCard::jobNumber, kJobNumberMaxLength},
};
constexpr const char* kMileageKey = "Mileage";
constexpr const char* kNotesKey = "Notes";

// The length of the UTF-8 character at `at`, 0 when the bytes there are not one; a control
// character other than tab is no text either, as in a binary file.
size_t CharacterLength(const std::string& bytes, size_t at)
{
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(bytes[at + k]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return lead >= 0x20 || lead == '\t' ? 1 : 0;
    size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || at + length > bytes.size()) return 0;
    for (size_t k = 1; k < length; ++k)
        if ((byte(k) & 0xC0) != 0x80) return 0;
    // Overlong forms, surrogates and code points past U+10FFFF.
    if (lead == 0xE0 && byte(1) < 0xA0) return 0;
    if (lead == 0xED && byte(1) >= 0xA0) return 0;
    if (lead == 0xF0 && byte(1) < 0x90) return 0;
    if (lead == 0xF4 && byte(1) >= 0x90) return 0;
    return length;
}

// The line as UTF-8 text, at most `maxLength` UTF-16 units of it (`units` says how many it
// takes): `cut` says there was more.
std::string TextOf(const std::string& line, int maxLength, unsigned& trouble, bool& cut, int& units)
{
    std::string text;
    units = 0;
    cut = false;
    for (size_t at = 0; at < line.size();) {
        size_t length = CharacterLength(line, at);
        const int width = length == 4 ? 2 : 1;
        if (units + width > maxLength) {
            cut = true;
            break;
        }
        units += width;
        if (length == 0) {
            trouble |= kJobCardNotUtf8;
            text += kReplacement;
            length = 1;
        } else {
            text.append(line, at, length);
        }
        at += length;
    }
    return text;
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameNoCase(const std::string& a, const char* b)
{
    size_t k = 0;
    for (; k < a.size() && b[k]; ++k)
        if (std::tolower(static_cast<unsigned char>(a[k])) != std::tolower(static_cast<unsigned char>(b[k]))) return false;
    return k == a.size() && !b[k];
}

// "123,456 km": the digits, and the unit when it is km or mi; separators between digits go.
bool ReadMileage(const std::string& value, JobCard& card)
{
    std::string digits;
    size_t at = 0;
    for (; at < value.size(); ++at) {
        const char ch = value[at];
        if (ch >= '0' && ch <= '9') digits += ch;
        else if (ch != ',' && ch != '.' && ch != '\'' && ch != ' ') break;
    }
    const std::string unit = Trimmed(value.substr(at));
    const bool km = unit.empty() || SameNoCase(unit, "km");
    const bool mi = SameNoCase(unit, "mi") || SameNoCase(unit, "miles");
    const size_t significant = digits.find_first_not_of('0');
    digits = significant == std::string::npos ? (digits.empty() ? "" : "0") : digits.substr(significant);
    if (digits.empty() || digits.size() > static_cast<size_t>(kMileageMaxLength)) return value.empty();
    card.mileage = CString(digits);
    card.unit = mi ? MileageUnit::Mi : MileageUnit::Km;
    return km || mi;
}

// A single-line field's value with no line ends in it.
CString OneLine(const CString& value)
{
    std::string line = value.Bytes();
    for (char& ch : line)
        if (ch == '\r' || ch == '\n') ch = ' ';
    return CString(line);
}

}  // namespace

JobCardRead ReadJobCard(const char* bytes, size_t size, bool wholeFile)
{
    JobCardRead read;
    size_t at = size >= 3 && std::string(bytes, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    std::string notes;
    int notesLeft = -1;  // UTF-16 units the notes may still take; -1 before "Notes:"
    int blankLines = 0;  // blank lines of the notes not yet taken
    bool cut = false;
    while (at < size) {
        size_t end = at;
        while (end < size && bytes[end] != '\n' && bytes[end] != '\r') ++end;
        const std::string line(bytes + at, end - at);
        at = end < size && bytes[end] == '\r' && end + 1 < size && bytes[end + 1] == '\n' ? end + 2 : end + 1;

        if (notesLeft >= 0) {
            // Blank lines count only once text follows them: those at the end are the file's layout.
            if (line.empty()) {
                ++blankLines;
                continue;
            }
            // A line end counts as the two units the edit box gives it.
            for (int k = notes.empty() ? 0 : blankLines + 1; k > 0; --k) notes += "\r\n", notesLeft -= 2;
            blankLines = 0;
            int units = 0;
            notes += TextOf(line, notesLeft < 0 ? 0 : notesLeft, read.trouble, cut, units);
            notesLeft -= units;
            if (cut || notesLeft < 0) {
                read.trouble |= kJobCardCut;
                break;
            }
            continue;
        }

        const size_t colon = line.find(':');
        const std::string key = colon == std::string::npos ? std::string() : Trimmed(line.substr(0, colon));
        const std::string value = colon == std::string::npos ? std::string() : Trimmed(line.substr(colon + 1));
        bool known = false;
        for (const Field& field : kFields) {
            if (!SameNoCase(key, field.key)) continue;
            known = true;
            int units = 0;
            // Cut, a value may end in a space, which the file would not keep.
            read.card.*field.value = CString(Trimmed(TextOf(value, field.maxLength, read.trouble, cut, units)));
            if (cut) read.trouble |= kJobCardCut;
        }
        if (SameNoCase(key, kMileageKey)) {
            known = true;
            if (!ReadMileage(value, read.card)) read.trouble |= kJobCardBadMileage;
        } else if (SameNoCase(key, kNotesKey)) {
            known = true;
            int units = 0;
            notes = TextOf(value, kNotesMaxLength, read.trouble, cut, units);
            notesLeft = kNotesMaxLength - units;
            if (cut) {
                read.trouble |= kJobCardCut;
                break;
            }
        }
        if (!known && !Trimmed(line).empty()) read.trouble |= kJobCardUnknownLines;
    }
    while (notes.size() >= 2 && notes.compare(notes.size() - 2, 2, "\r\n") == 0) notes.resize(notes.size() - 2);
    read.card.notes = CString(notes);
    if (!wholeFile) read.trouble |= kJobCardCut;
    return read;
}

CString JobCardFileText(const JobCard& card)
{
    CString text("\xEF\xBB\xBF");
    text += CString("Plate: ") + OneLine(card.plate) + "\r\n";
    text += CString("Mileage: ");
    if (!card.mileage.IsEmpty()) text += card.mileage + " " + UnitName(card.unit);
    text += "\r\n";
    text += CString("Customer: ") + OneLine(card.customer) + "\r\n";
    text += CString("Job number: ") + OneLine(card.jobNumber) + "\r\n";
    text += "Notes:\r\n";
    if (!card.notes.IsEmpty()) text += card.notes + "\r\n";
    return text;
}

CString JobCardTroubleText(unsigned trouble)
{
    if (trouble == kJobCardFine) return CString();
    CString text("Job details partly read:");
    const char* separator = " ";
    const struct { unsigned flag; const char* words; } kWords[] = {
        {kJobCardUnknownLines, "lines not understood left out"},
        {kJobCardNotUtf8, "bytes that are not text replaced"},
        {kJobCardCut, "more than the fields hold left out"},
        {kJobCardBadMileage, "a mileage that is not a number of km or mi"},
    };
    for (const auto& word : kWords) {
        if (!(trouble & word.flag)) continue;
        text += separator;
        text += word.words;
        separator = ", ";
    }
    return text;
}
