#include "framework/FileFind.h"

#include <cstring>

BOOL CFileFind::FindFile(const char* pattern)
{
    Close();
    m_find = ::FindFirstFileA(pattern, &m_next);
    m_hasNext = m_find != INVALID_HANDLE_VALUE;
    return m_hasNext;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_hasNext) return FALSE;
    m_current = m_next;
    m_hasNext = ::FindNextFileA(m_find, &m_next) != FALSE;
    return m_hasNext;
}

BOOL CFileFind::IsDots() const
{
    return IsDirectory() && (std::strcmp(m_current.cFileName, ".") == 0 || std::strcmp(m_current.cFileName, "..") == 0);
}

void CFileFind::Close()
{
    if (m_find != INVALID_HANDLE_VALUE) ::FindClose(m_find);
    m_find = INVALID_HANDLE_VALUE;
    m_hasNext = false;
    m_current = WIN32_FIND_DATAA{};
}
