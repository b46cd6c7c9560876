#pragma once
// A report file read line by line in text mode. It is opened for reading, sharing it with other
// readers only: no other program can change it while it is read, and a file that another
// program holds open for writing cannot be opened at all, but one another program only reads
// (the history keeping it, a virus scanner) is read as well.
#include <windows.h>

#include <string>

#include "framework/AnsweredWork.h"
#include "framework/CString.h"
#include "framework/TextModeDecoder.h"

class CStdioFile {
public:
    enum OpenFlags : UINT { modeRead = 0x0000, shareCompat = 0x0000, typeText = 0x4000 };

    CStdioFile() = default;
    ~CStdioFile() { Close(); }
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;

    // Only reading in text mode is supported; FALSE when the file cannot be opened.
    BOOL Open(const char* path, UINT flags);
    // The next line without its line end; FALSE at the end of the file or when reading failed.
    BOOL ReadString(CString& line);
    // The rest of the file's bytes as they are, appended to `bytes`; FALSE when reading failed
    // part-way, with what was read appended. Each piece read is a step of `progress`.
    BOOL ReadRest(std::string& bytes, WorkProgress* progress = nullptr);
    void Close();

private:
    bool ReadMore();

    HANDLE m_file = INVALID_HANDLE_VALUE;
    TextModeDecoder m_decoder;
    bool m_atEnd = false;
};
