#include "history/RunName.h"

#include <cstdio>
#include <string>

namespace {

bool IsValid(const RunTime& t)
{
    return t.year >= 1601 && t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 &&
           t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 && t.second >= 0 && t.second <= 59;
}

CString Formatted(const RunTime& t, char timeSeparator)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d%c%02d%c%02d", t.year, t.month, t.day, t.hour, timeSeparator,
                  t.minute, timeSeparator, t.second);
    return text;
}

// Exactly `count` digits from `text`; false when any is not a digit.
bool Digits(const char* text, int count, int& value)
{
    value = 0;
    for (int i = 0; i < count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

// Days since 1970-01-01 of a date in the proleptic Gregorian calendar.
long DaysOf(const RunTime& t)
{
    const long year = t.month <= 2 ? t.year - 1 : t.year;
    const long era = (year >= 0 ? year : year - 399) / 400;
    const long yearOfEra = year - era * 400;
    const long dayOfYear = (153 * (t.month + (t.month > 2 ? -3 : 9)) + 2) / 5 + t.day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

long long SecondsOf(const RunTime& t)
{
    return DaysOf(t) * 86400LL + t.hour * 3600LL + t.minute * 60LL + t.second;
}

// FAT, the device's file system, holds no earlier time.
constexpr int kFirstYear = 1980;
constexpr long long kSecondsOfADay = 86400;

constexpr size_t kNameLength = 19;  // "2026-12-08 21-46-13"

}  // namespace

RunTime RunTimeOrKeptTime(const RunTime& written, const RunTime& kept)
{
    if (!IsValid(written) || written.year < kFirstYear || SecondsOf(written) > SecondsOf(kept) + kSecondsOfADay)
        return kept;
    return written;
}

CString RunFolderName(const RunTime& time, int copy)
{
    CString name = Formatted(time, '-');
    if (copy > 1) name += (" (" + std::to_string(copy) + ")").c_str();
    return name;
}

bool ParseRunFolderName(const CString& name, RunTime& time)
{
    const std::string& bytes = name.Bytes();
    if (bytes.size() < kNameLength) return false;
    const char* s = bytes.c_str();
    RunTime parsed;
    if (!Digits(s, 4, parsed.year) || !Digits(s + 5, 2, parsed.month) || !Digits(s + 8, 2, parsed.day) ||
        !Digits(s + 11, 2, parsed.hour) || !Digits(s + 14, 2, parsed.minute) || !Digits(s + 17, 2, parsed.second))
        return false;
    if (s[4] != '-' || s[7] != '-' || s[10] != ' ' || s[13] != '-' || s[16] != '-' || !IsValid(parsed)) return false;
    if (bytes.size() > kNameLength) {
        // " (n)" with n from 2 up, written as RunFolderName writes it.
        const std::string copy = bytes.substr(kNameLength);
        if (copy.size() < 4 || copy.compare(0, 2, " (") != 0 || copy.back() != ')' || copy[2] == '0') return false;
        int number = 0;
        if (copy.size() > 9 || !Digits(copy.c_str() + 2, static_cast<int>(copy.size()) - 3, number) || number < 2)
            return false;
    }
    time = parsed;
    return true;
}

CString RunTimeText(const RunTime& time) { return Formatted(time, ':'); }
