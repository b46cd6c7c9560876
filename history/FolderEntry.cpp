#include "history/FolderEntry.h"

#include <cstring>

namespace {

constexpr unsigned long kDirectory = 0x10;
constexpr unsigned long kReparsePoint = 0x400;

bool IsPlainName(const char* name)
{
    if (!*name || std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) return false;
    for (const char* at = name; *at; ++at)
        if (static_cast<unsigned char>(*at) < 0x20 || std::strchr("\\/:*?\"<>|", *at)) return false;
    return true;
}

}  // namespace

bool IsLinkEntry(unsigned long attributes) { return (attributes & kReparsePoint) != 0; }

FolderEntryUse UseOfFolderEntry(const char* name, unsigned long attributes)
{
    if (IsLinkEntry(attributes) || !IsPlainName(name)) return FolderEntryUse::Skipped;
    return (attributes & kDirectory) ? FolderEntryUse::Folder : FolderEntryUse::File;
}
