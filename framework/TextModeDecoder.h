#pragma once
// Turns the bytes of a file read in text mode into lines, as the C runtime's text mode and
// CStdioFile::ReadString have it: CR LF becomes LF, a lone CR stays, byte 0x1A ends the file,
// each line is given without its LF, and a last line without a line end is still a line.
// Bytes arrive in chunks of any size (a CR LF may be split between two chunks).
#include <cstddef>
#include <deque>
#include <string>

#include "framework/CString.h"

class TextModeDecoder {
public:
    // Adds the next bytes of the file. Bytes after a 0x1A are ignored.
    void Feed(const char* bytes, size_t count);
    // Says that the file has no more bytes.
    void FeedEnd();
    // Takes the next complete line; false when none is complete yet (or, after FeedEnd, none is left).
    bool NextLine(CString& line);
    // True once 0x1A was seen: the file ends there and no more bytes need reading.
    bool SawEndOfFileMark() const;

private:
    void EndLine();
    void Finish();

    std::string m_line;               // the line being built, CR LF already turned into LF
    std::deque<std::string> m_ready;  // complete lines not yet taken
    bool m_pendingCr = false;         // the last byte fed was a CR whose follower is not known yet
    bool m_sawEndMark = false;
    bool m_finished = false;          // no more bytes are taken: FeedEnd was called or 0x1A seen
};
