#pragma once
// What a VIN tells by itself: where the vehicle was made, its model year, and whether its check
// digit (the 9th character) matches the other sixteen. A typed VIN is often mistyped, and the
// check digit catches most single slips. The rules take the bytes the VIN box holds, whatever
// they are, and never change them.
#include "framework/CString.h"

// The value a VIN character counts with in the check digit (digits as themselves, letters by
// the standard transliteration); -1 for a character a VIN cannot hold (I, O, Q among them).
int VinCharValue(char character);

// The check digit of 17 VIN characters ('0' to '9', or 'X' for ten); '\0' when a character
// cannot be in a VIN.
char VinCheckDigit(const char* vin17);

// The model year the 10th character gives, 0 when it gives none. North American VINs tell the
// 30-year cycle by the 7th character (a digit: 1980-2009, a letter: 2010-2039); others take the
// most recent year not later than the year after `currentYear`.
int VinModelYear(const char* vin17, int currentYear);

// The region and country of manufacture by the world manufacturer identifier's first two
// characters; empty texts where no range is assigned.
struct VinOrigin {
    const char* region;
    const char* country;
};
VinOrigin VinOriginOf(char first, char second);

// The one line shown beside the VIN box: empty for an empty VIN. `warning` says the line
// reports a mismatch where the check digit is compulsory (North America and China), which is
// most likely a typing error.
struct VinFactsLine {
    CString text;
    bool warning = false;
};
VinFactsLine VinFactsFor(const CString& vin, int currentYear);
