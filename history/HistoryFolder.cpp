#include "history/HistoryFolder.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "framework/SystemLibrary.h"

// The shell library is loaded only by those who need it, as the common dialogs are.
CString HistoryFolder()
{
    static const auto folderPath = LoadSystemFunction<decltype(&::SHGetFolderPathA)>("shell32.dll", "SHGetFolderPathA");
    char documents[MAX_PATH] = "";
    if (!folderPath || folderPath(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents) != S_OK ||
        !documents[0])
        return CString();
    return CString(documents) + "\\Mardello";
}

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
