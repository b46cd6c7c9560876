#pragma once
// Walks the entries of a folder listing.
#include <windows.h>

#include "framework/CString.h"

class CFileFind {
public:
    CFileFind() = default;
    ~CFileFind() { Close(); }
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    // Starts a listing; no entry is current until FindNextFile.
    BOOL FindFile(const char* pattern);
    // Makes the next entry current; FALSE when it was the last one (it is still current).
    BOOL FindNextFile();
    BOOL IsDots() const;
    BOOL IsDirectory() const { return (m_current.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    BOOL MatchesMask(DWORD mask) const { return (m_current.dwFileAttributes & mask) != 0; }
    CString GetFileName() const { return CString(m_current.cFileName); }
    void Close();

private:
    HANDLE m_find = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA m_next{};
    WIN32_FIND_DATAA m_current{};
    bool m_hasNext = false;
};
