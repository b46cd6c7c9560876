#include "ui/HistoryFolderPicker.h"

#include <shlobj.h>

#include "framework/SystemLibrary.h"

bool PickHistoryFolder(HWND owner, CString& chosen)
{
    static const auto browse = LoadSystemFunction<decltype(&::SHBrowseForFolderA)>("shell32.dll", "SHBrowseForFolderA");
    static const auto pathOf = LoadSystemFunction<decltype(&::SHGetPathFromIDListA)>("shell32.dll", "SHGetPathFromIDListA");
    static const auto freeList = LoadSystemFunction<decltype(&::CoTaskMemFree)>("ole32.dll", "CoTaskMemFree");
    using InitializeFunction = HRESULT(WINAPI*)(void*, DWORD);
    using UninitializeFunction = void(WINAPI*)();
    static const auto initialize = LoadSystemFunction<InitializeFunction>("ole32.dll", "CoInitializeEx");
    static const auto uninitialize = LoadSystemFunction<UninitializeFunction>("ole32.dll", "CoUninitialize");
    if (!browse || !pathOf || !freeList) return false;
    // The picker with a box to type into needs COM on the thread that shows it.
    const bool initialized = initialize && uninitialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
    char display[MAX_PATH] = "";
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pszDisplayName = display;
    info.lpszTitle = "Choose the folder every run is kept in, on this PC or on the workshop's share:";
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_USENEWUI;
    const LPITEMIDLIST list = browse(&info);
    char path[MAX_PATH] = "";
    const bool picked = list && pathOf(list, path) && path[0];
    if (list) freeList(list);
    if (initialized) uninitialize();
    if (picked) chosen = path;
    return picked;
}
