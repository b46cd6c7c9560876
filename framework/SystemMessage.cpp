#include "framework/SystemMessage.h"

#include <windows.h>

#include <string>

CString SystemMessage(unsigned long error)
{
    char text[512] = "";
    const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                          text, sizeof text, nullptr);
    CString message(text, length);
    message.TrimRight();
    if (message.IsEmpty()) message = ("error " + std::to_string(error)).c_str();
    return message;
}
