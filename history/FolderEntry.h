#pragma once
// What an entry of the history folder is to the code that lists, compares or deletes runs.
// Another computer or a person may put anything in a shared folder: a link there may lead
// anywhere, so it is never gone through, and a name the system would read as a pattern or a
// path (a '?' where a character had no place in the code page) could reach other entries.

enum class FolderEntryUse { Skipped, Folder, File };

// `attributes` as the system lists them (directory 0x10, reparse point 0x400).
FolderEntryUse UseOfFolderEntry(const char* name, unsigned long attributes);

// True for an entry that is a link, a junction or any other reparse point.
bool IsLinkEntry(unsigned long attributes);
