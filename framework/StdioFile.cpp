#include "framework/StdioFile.h"

BOOL CStdioFile::Open(const char* path, UINT flags)
{
    Close();
    if (flags != (typeText | modeRead | shareCompat)) return FALSE;
    m_file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (m_file == INVALID_HANDLE_VALUE) return FALSE;
    // A folder opened this way is not a report.
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(m_file, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        Close();
        return FALSE;
    }
    return TRUE;
}

bool CStdioFile::ReadMore()
{
    char chunk[64 * 1024];
    DWORD got = 0;
    if (!::ReadFile(m_file, chunk, sizeof chunk, &got, nullptr)) {
        m_atEnd = true;
        return false;
    }
    if (got == 0) {
        m_decoder.FeedEnd();
        m_atEnd = true;
        return true;
    }
    m_decoder.Feed(chunk, got);
    if (m_decoder.SawEndOfFileMark()) {
        m_decoder.FeedEnd();
        m_atEnd = true;
    }
    return true;
}

BOOL CStdioFile::ReadString(CString& line)
{
    line.Empty();
    if (m_file == INVALID_HANDLE_VALUE) return FALSE;
    while (!m_decoder.NextLine(line)) {
        if (m_atEnd || !ReadMore()) return FALSE;
    }
    return TRUE;
}

BOOL CStdioFile::ReadRest(std::string& bytes, WorkProgress* progress)
{
    if (m_file == INVALID_HANDLE_VALUE) return FALSE;
    char chunk[64 * 1024];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(m_file, chunk, sizeof chunk, &got, nullptr)) return FALSE;
        if (got == 0) return TRUE;
        bytes.append(chunk, got);
        if (progress) progress->Moved();
    }
}

void CStdioFile::Close()
{
    if (m_file != INVALID_HANDLE_VALUE) ::CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
    m_decoder = TextModeDecoder();
    m_atEnd = false;
}
