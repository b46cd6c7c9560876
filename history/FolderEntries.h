#pragma once
// The entries of a folder of the history, and a folder of files removed: how the keeper walks
// and clears the folders it writes.
#include <windows.h>

#include "framework/CString.h"

// The entries of a folder that are folders (`folders`) or plain files, with their sizes.
template <typename Visit>
void ForEachEntry(const CString& folder, bool folders, Visit visit)
{
    WIN32_FIND_DATAA entry{};
    const HANDLE find = ::FindFirstFileA(folder + "\\*", &entry);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        const CString name(entry.cFileName);
        if (isFolder == folders && name != "." && name != "..")
            visit(name, (ULONGLONG(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow);
    } while (::FindNextFileA(find, &entry));
    ::FindClose(find);
}

// Keeping writes only files into its folders; what cannot be removed stays for the next time.
inline void RemoveFolder(const CString& folder)
{
    ForEachEntry(folder, false, [&](const CString& name, ULONGLONG) { ::DeleteFileA(folder + "\\" + name); });
    ::RemoveDirectoryA(folder);
}
