#pragma once
// The entries of a folder of the history, and a folder of files removed: how the keeper walks
// and clears the folders it writes.
#include <windows.h>

#include "framework/CString.h"
#include "history/FolderEntry.h"

// The entries of a folder that are folders (`folders`) or plain files, with their sizes; links
// and odd names are passed over (history/FolderEntry.h).
template <typename Visit>
void ForEachEntry(const CString& folder, bool folders, Visit visit)
{
    WIN32_FIND_DATAA entry{};
    const HANDLE find = ::FindFirstFileA(folder + "\\*", &entry);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const FolderEntryUse use = UseOfFolderEntry(entry.cFileName, entry.dwFileAttributes);
        if (use == (folders ? FolderEntryUse::Folder : FolderEntryUse::File))
            visit(CString(entry.cFileName), (ULONGLONG(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow);
    } while (::FindNextFileA(find, &entry));
    ::FindClose(find);
}

// Keeping writes only files into its folders; what cannot be removed stays for the next time.
inline void RemoveFolder(const CString& folder)
{
    ForEachEntry(folder, false, [&](const CString& name, ULONGLONG) { ::DeleteFileA(folder + "\\" + name); });
    ::RemoveDirectoryA(folder);
}
