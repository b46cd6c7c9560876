#include "history/HistoryFolder.h"

#include <windows.h>
#include <shlobj.h>

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
