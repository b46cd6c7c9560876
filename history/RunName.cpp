#include "history/RunName.h"

#include <string>

namespace {

bool IsValid(const RunTime& t)
{
    return t.year >= 1601 && t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 &&
           t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 && t.second >= 0 && t.second <= 59;
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
constexpr size_t kMostCopyDigits = 9;  // what an int holds

}  // namespace

RunTime RunTimeOrKeptTime(const RunTime& written, const RunTime& kept)
{
    if (!IsValid(written) || written.year < kFirstYear || SecondsOf(written) > SecondsOf(kept) + kSecondsOfADay)
        return kept;
    return written;
}

CString RunFolderName(const RunTime& time, int copy)
{
    CString name = LocalTimeText(time, '-');
    if (copy > 1) name += (" (" + std::to_string(copy) + ")").c_str();
    return name;
}

int CompareRunTimes(const RunTime& a, const RunTime& b)
{
    const int as[] = {a.year, a.month, a.day, a.hour, a.minute, a.second};
    const int bs[] = {b.year, b.month, b.day, b.hour, b.minute, b.second};
    for (size_t i = 0; i < 6; ++i)
        if (as[i] != bs[i]) return as[i] < bs[i] ? -1 : 1;
    return 0;
}

bool ParseRunFolderName(const CString& name, RunTime& time)
{
    int copy = 1;
    return ParseRunFolderName(name, time, copy);
}

bool ParseRunFolderName(const CString& name, RunTime& time, int& copy)
{
    const std::string& bytes = name.Bytes();
    if (bytes.size() < kNameLength) return false;
    const char* s = bytes.c_str();
    RunTime parsed;
    if (!Digits(s, 4, parsed.year) || !Digits(s + 5, 2, parsed.month) || !Digits(s + 8, 2, parsed.day) ||
        !Digits(s + 11, 2, parsed.hour) || !Digits(s + 14, 2, parsed.minute) || !Digits(s + 17, 2, parsed.second))
        return false;
    if (s[4] != '-' || s[7] != '-' || s[10] != ' ' || s[13] != '-' || s[16] != '-' || !IsValid(parsed)) return false;
    int number = 1;
    if (bytes.size() > kNameLength) {
        // " (n)" with n from 2 up, written as RunFolderName writes it.
        const std::string suffix = bytes.substr(kNameLength);
        if (suffix.size() < 4 || suffix.compare(0, 2, " (") != 0 || suffix.back() != ')' || suffix[2] == '0') return false;
        const size_t digits = suffix.size() - 3;
        if (digits > kMostCopyDigits || !Digits(suffix.c_str() + 2, static_cast<int>(digits), number) || number < 2)
            return false;
    }
    time = parsed;
    copy = number;
    return true;
}

CString RunTimeText(const RunTime& time) { return LocalTimeText(time); }

int NextCopyNumber(const std::vector<CString>& names, const RunTime& time)
{
    int highest = 0;
    for (const CString& name : names) {
        RunTime named;
        int copy = 1;
        if (ParseRunFolderName(name, named, copy) && named == time && copy > highest) highest = copy;
    }
    return highest + 1;
}
