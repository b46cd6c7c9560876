#include "vin/VinFacts.h"

#include <gtest/gtest.h>

#include "tests/unit/test_support.h"

namespace {

// By hand: values times weights 8 7 6 5 4 3 2 10 0 9 8 7 6 5 4 3 2, sum modulo 11, 10 is X. Both
// 1M8GDM9AXKP042788 and LSVAU2180N2183294 (the test device's, its 0 a slip) sum to 351: X.
TEST(VinFactsTest, LineForEachKindOfVin)
{
    struct Row {
        const char* vin;
        int currentYear;
        const char* line;
        bool warning;
    };
    const Row rows[] = {
        {"", 2026, "", false},
        {"1M8GDM9AXKP042788", 2026, "North America, United States; model year 1989; check digit OK", false},
        {"1HGCM82633A004352", 2026, "North America, United States; model year 2003; check digit OK", false},
        {"1hgcm82633a004352", 2026, "North America, United States; model year 2003; check digit OK", false},
        {"1HGCM82643A004352", 2026, "North America, United States; model year 2003; check digit does not match: typing error?", true},
        {"5YJ3E1EA2KF317000", 2026, "North America, United States; model year 2019; check digit OK", false},
        {"LSVAU2180N2183294", 2026, "Asia, China; model year 2022; check digit does not match: typing error?", true},
        {"LSVAU218XN2183294", 2026, "Asia, China; model year 2022; check digit OK", false},
        {"JH4KA7561PC008269", 2026, "Asia, Japan; model year 2023; check digit OK", false},
        {"WVWZZZ1JZ3W386752", 2026, "Europe, Germany; model year 2003; check digit does not match (not compulsory here)", false},
        {"AAVZZZ6RZBU012345", 2026, "Africa, South Africa; model year 2011; check digit does not match (not compulsory here)", false},
        {"6T1BF3FK0CX123456", 2026, "Oceania, Australia; model year 2012; check digit does not match (not compulsory here)", false},
        {"9BWZZZ377VT004251", 2026, "South America, Brazil; model year 2027; check digit does not match (not compulsory here)", false},
        {"9BWZZZ377VT004251", 2025, "South America, Brazil; model year 1997; check digit does not match (not compulsory here)", false},
        {"AZ1111117U1111111", 2026, "Africa; model year unknown; check digit OK", false},
        {"01111111411111111", 2026, "Region unknown; model year 2001; check digit OK", false},
        {"1HGCM82633A00435", 2026, "VIN has 16 characters, not 17", false},
        {"1HGCM82633A0O4352", 2026, "VIN holds I, O or Q, which no VIN has", false},
        {"1HGCM8-633A004352", 2026, "VIN holds characters other than letters and digits", false},
        {"\xC6\xF8" "GCM82633A004352", 2026, "VIN holds characters other than letters and digits", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(Escaped(row.vin) + " in " + std::to_string(row.currentYear));
        const VinFactsLine facts = VinFactsFor(row.vin, row.currentYear);
        EXPECT_EQ(CString(row.line), facts.text);
        EXPECT_EQ(row.warning, facts.warning);
    }
}

}  // namespace
