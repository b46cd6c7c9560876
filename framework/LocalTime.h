#pragma once
// A moment of the local clock to the second, as files are dated and runs are named. The text form
// needs no window; reading a file time needs Windows (framework/LocalTimeOf.cpp).
#include "framework/CString.h"

struct _FILETIME;

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    friend bool operator==(const LocalTime& a, const LocalTime& b)
    {
        return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute &&
               a.second == b.second;
    }
};

// "2026-12-08 21:46:13", with `timeSeparator` between hours, minutes and seconds.
CString LocalTimeText(const LocalTime& time, char timeSeparator = ':');

// A file time as the local time; all zero when it cannot be read.
LocalTime LocalTimeOf(const _FILETIME& time);
