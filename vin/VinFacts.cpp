#include "vin/VinFacts.h"

#include <cstring>
#include <string>

namespace {

constexpr int kVinLength = 17;
constexpr int kCheckDigitAt = 8;
constexpr int kModelYearAt = 9;
constexpr int kCycleAt = 6;

// Each position's weight in the check digit; the check digit's own position weighs nothing.
constexpr int kWeights[kVinLength] = {8, 7, 6, 5, 4, 3, 2, 10, 0, 9, 8, 7, 6, 5, 4, 3, 2};

// The 10th character's codes, one a year from 1980 on; the sequence repeats every 30 years.
constexpr char kYearCodes[] = "ABCDEFGHJKLMNPRSTVWXY123456789";
constexpr int kCycleYears = 30;
constexpr int kFirstCycleStart = 1980;

// The second character's order in the assigned ranges: letters, then 1 to 9, then 0.
constexpr char kSecondOrder[] = "ABCDEFGHJKLMNPRSTUVWXYZ1234567890";

// Assigned ranges of world manufacturer identifiers: first character, second from and to.
struct OriginRange {
    char first;
    char from;
    char to;
    const char* country;
};

constexpr OriginRange kOrigins[] = {
    {'A', 'A', 'H', "South Africa"}, {'A', 'J', 'N', "Ivory Coast"},
    {'B', 'A', 'E', "Angola"},       {'B', 'F', 'K', "Kenya"},
    {'B', 'L', 'R', "Tanzania"},     {'C', 'A', 'E', "Benin"},
    {'C', 'F', 'K', "Madagascar"},   {'C', 'L', 'R', "Tunisia"},
    {'D', 'A', 'E', "Egypt"},        {'D', 'F', 'K', "Morocco"},
    {'D', 'L', 'R', "Zambia"},       {'E', 'A', 'E', "Ethiopia"},
    {'E', 'F', 'K', "Mozambique"},   {'F', 'A', 'E', "Ghana"},
    {'F', 'F', 'K', "Nigeria"},      {'J', 'A', '0', "Japan"},
    {'K', 'A', 'E', "Sri Lanka"},    {'K', 'F', 'K', "Israel"},
    {'K', 'L', 'R', "South Korea"},  {'K', 'S', '0', "Kazakhstan"},
    {'L', 'A', '0', "China"},        {'M', 'A', 'E', "India"},
    {'M', 'F', 'K', "Indonesia"},    {'M', 'L', 'R', "Thailand"},
    {'M', 'S', '0', "Myanmar"},      {'N', 'A', 'E', "Iran"},
    {'N', 'F', 'K', "Pakistan"},     {'N', 'L', 'R', "Turkey"},
    {'P', 'A', 'E', "Philippines"},  {'P', 'F', 'K', "Singapore"},
    {'P', 'L', 'R', "Malaysia"},     {'R', 'A', 'E', "United Arab Emirates"},
    {'R', 'F', 'K', "Taiwan"},       {'R', 'L', 'R', "Vietnam"},
    {'R', 'S', '0', "Saudi Arabia"}, {'S', 'A', 'M', "United Kingdom"},
    {'S', 'N', 'T', "Germany"},      {'S', 'U', 'Z', "Poland"},
    {'S', '1', '4', "Latvia"},       {'T', 'A', 'H', "Switzerland"},
    {'T', 'J', 'P', "Czech Republic"}, {'T', 'R', 'V', "Hungary"},
    {'T', 'W', '1', "Portugal"},     {'U', 'H', 'M', "Denmark"},
    {'U', 'N', 'T', "Ireland"},      {'U', 'U', 'Z', "Romania"},
    {'U', '5', '7', "Slovakia"},     {'V', 'A', 'E', "Austria"},
    {'V', 'F', 'R', "France"},       {'V', 'S', 'W', "Spain"},
    {'V', 'X', '2', "Serbia"},       {'V', '3', '5', "Croatia"},
    {'V', '6', '0', "Estonia"},      {'W', 'A', '0', "Germany"},
    {'X', 'A', 'E', "Bulgaria"},     {'X', 'F', 'K', "Greece"},
    {'X', 'L', 'R', "Netherlands"},  {'X', 'S', 'W', "Russia"},
    {'X', 'X', '2', "Luxembourg"},   {'X', '3', '0', "Russia"},
    {'Y', 'A', 'E', "Belgium"},      {'Y', 'F', 'K', "Finland"},
    {'Y', 'L', 'R', "Malta"},        {'Y', 'S', 'W', "Sweden"},
    {'Y', 'X', '2', "Norway"},       {'Y', '3', '5', "Belarus"},
    {'Y', '6', '0', "Ukraine"},      {'Z', 'A', 'R', "Italy"},
    {'Z', 'X', '2', "Slovenia"},     {'Z', '3', '5', "Lithuania"},
    {'1', 'A', '0', "United States"}, {'2', 'A', '0', "Canada"},
    {'3', 'A', 'W', "Mexico"},       {'4', 'A', '0', "United States"},
    {'5', 'A', '0', "United States"}, {'6', 'A', 'W', "Australia"},
    {'7', 'A', 'E', "New Zealand"},  {'8', 'A', 'E', "Argentina"},
    {'8', 'F', 'K', "Chile"},        {'8', 'L', 'R', "Ecuador"},
    {'8', 'S', 'W', "Peru"},         {'8', 'X', '2', "Venezuela"},
    {'9', 'A', 'E', "Brazil"},       {'9', 'F', 'K', "Colombia"},
    {'9', 'L', 'R', "Paraguay"},     {'9', 'S', 'W', "Uruguay"},
    {'9', '3', '9', "Brazil"},
};

const char* RegionOf(char first)
{
    if (first >= 'A' && first <= 'H') return "Africa";
    if (first >= 'J' && first <= 'R') return "Asia";
    if (first >= 'S' && first <= 'Z') return "Europe";
    if (first >= '1' && first <= '5') return "North America";
    if (first >= '6' && first <= '7') return "Oceania";
    if (first >= '8' && first <= '9') return "South America";
    return "";
}

int SecondRank(char second)
{
    const char* at = second ? std::strchr(kSecondOrder, second) : nullptr;
    return at ? static_cast<int>(at - kSecondOrder) : -1;
}

char Upper(char character) { return character >= 'a' && character <= 'z' ? static_cast<char>(character - 'a' + 'A') : character; }

bool IsAsciiAlnum(char character)
{
    return (character >= '0' && character <= '9') || (character >= 'A' && character <= 'Z');
}

}  // namespace

int VinCharValue(char character)
{
    if (character >= '0' && character <= '9') return character - '0';
    // The letters in order, each taking the value under it; I, O and Q have none.
    static constexpr char kLetters[] = "ABCDEFGH" "JKLMN" "P" "R" "STUVWXYZ";
    static constexpr int kValues[] = {1, 2, 3, 4, 5, 6, 7, 8, 1, 2, 3, 4, 5, 7, 9, 2, 3, 4, 5, 6, 7, 8, 9};
    const char* at = character ? std::strchr(kLetters, character) : nullptr;
    return at ? kValues[at - kLetters] : -1;
}

char VinCheckDigit(const char* vin17)
{
    int sum = 0;
    for (int k = 0; k < kVinLength; ++k) {
        const int value = VinCharValue(vin17[k]);
        if (value < 0) return '\0';
        sum += value * kWeights[k];
    }
    const int remainder = sum % 11;
    return remainder == 10 ? 'X' : static_cast<char>('0' + remainder);
}

int VinModelYear(const char* vin17, int currentYear)
{
    const char code = vin17[kModelYearAt];
    const char* at = code ? std::strchr(kYearCodes, code) : nullptr;
    if (!at) return 0;
    const int firstYear = kFirstCycleStart + static_cast<int>(at - kYearCodes);
    if (std::strcmp(RegionOf(vin17[0]), "North America") == 0) {
        const bool letter = vin17[kCycleAt] >= 'A' && vin17[kCycleAt] <= 'Z';
        return letter ? firstYear + kCycleYears : firstYear;
    }
    const int latest = currentYear + 1;
    if (latest < firstYear) return firstYear;
    return firstYear + (latest - firstYear) / kCycleYears * kCycleYears;
}

VinOrigin VinOriginOf(char first, char second)
{
    const int rank = SecondRank(second);
    for (const OriginRange& range : kOrigins)
        if (range.first == first && rank >= SecondRank(range.from) && rank <= SecondRank(range.to) && rank >= 0)
            return {RegionOf(first), range.country};
    return {RegionOf(first), ""};
}

VinFactsLine VinFactsFor(const CString& vin, int currentYear)
{
    VinFactsLine line;
    if (vin.IsEmpty()) return line;
    // Typed in small letters, a VIN is still read as the same VIN.
    std::string upper;
    for (char character : vin.Bytes()) upper += Upper(character);
    for (char character : upper)
        if (!IsAsciiAlnum(character)) {
            line.text = "VIN holds characters other than letters and digits";
            return line;
        }
    if (upper.find_first_of("IOQ") != std::string::npos) {
        line.text = "VIN holds I, O or Q, which no VIN has";
        return line;
    }
    if (upper.size() != kVinLength) {
        line.text = CString("VIN has " + std::to_string(upper.size()) + " characters, not 17");
        return line;
    }

    const VinOrigin origin = VinOriginOf(upper[0], upper[1]);
    std::string text = *origin.region ? origin.region : "Region unknown";
    if (*origin.country) text += std::string(", ") + origin.country;
    const int year = VinModelYear(upper.c_str(), currentYear);
    text += year ? "; model year " + std::to_string(year) : std::string("; model year unknown");
    const bool compulsory =
        std::strcmp(origin.region, "North America") == 0 || std::strcmp(origin.country, "China") == 0;
    if (VinCheckDigit(upper.c_str()) == upper[kCheckDigitAt]) {
        text += "; check digit OK";
    } else if (compulsory) {
        text += "; check digit does not match: typing error?";
        line.warning = true;
    } else {
        text += "; check digit does not match (not compulsory here)";
    }
    line.text = CString(text);
    return line;
}
