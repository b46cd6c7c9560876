#include "device/DriveList.h"

#include <cstring>

std::vector<CString> DriveRoots(const char* list, size_t size)
{
    std::vector<CString> roots;
    if (list == nullptr) return roots;
    size_t from = 0;
    while (from < size) {
        const void* nul = std::memchr(list + from, '\0', size - from);
        // A string that runs to the end of the buffer was cut off by it: it is no root.
        if (nul == nullptr) break;
        const size_t length = static_cast<size_t>(static_cast<const char*>(nul) - (list + from));
        if (length == 0) break;
        roots.emplace_back(list + from, length);
        from += length + 1;
    }
    return roots;
}

CString DrivePrefix(const CString& root)
{
    const int lastBackslash = root.ReverseFind('\\');
    return lastBackslash < 0 ? root : root.Left(lastBackslash);
}

bool IsFolderNamed(const CString& folderName, const char* wanted) { return folderName.CompareNoCase(wanted) == 0; }
