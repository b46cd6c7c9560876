#include "framework/LocalTime.h"

#include <cstdio>

CString LocalTimeText(const LocalTime& t, char timeSeparator)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d%c%02d%c%02d", t.year, t.month, t.day, t.hour, timeSeparator,
                  t.minute, timeSeparator, t.second);
    return text;
}
