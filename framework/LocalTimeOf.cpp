#include <windows.h>

#include "framework/LocalTime.h"

LocalTime LocalTimeOf(const FILETIME& time)
{
    FILETIME local{};
    SYSTEMTIME parts{};
    if (!::FileTimeToLocalFileTime(&time, &local) || !::FileTimeToSystemTime(&local, &parts)) return {};
    return {parts.wYear, parts.wMonth, parts.wDay, parts.wHour, parts.wMinute, parts.wSecond};
}
