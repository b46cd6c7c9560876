#include "framework/TextModeDecoder.h"

#include <utility>

namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr char kEndOfFileMark = '\x1A';

bool IsSpecial(char byte) { return byte == kCr || byte == kLf || byte == kEndOfFileMark; }

}  // namespace

void TextModeDecoder::Feed(const char* bytes, size_t count)
{
    if (m_finished || bytes == nullptr) return;
    size_t i = 0;
    while (i < count) {
        if (m_pendingCr) {
            m_pendingCr = false;
            if (bytes[i] == kLf) {
                // CR LF is one line end; the CR is dropped even when the pair was split between chunks.
                EndLine();
                ++i;
                continue;
            }
            m_line += kCr;
        }
        // Copy the run of ordinary bytes in one go so that a long line costs linear time.
        size_t runEnd = i;
        while (runEnd < count && !IsSpecial(bytes[runEnd])) ++runEnd;
        m_line.append(bytes + i, runEnd - i);
        i = runEnd;
        if (i == count) break;

        const char byte = bytes[i++];
        if (byte == kLf) {
            EndLine();
        } else if (byte == kCr) {
            m_pendingCr = true;
        } else {
            // As the C runtime has it, a CR just before 0x1A is not followed by LF and so stays.
            m_sawEndMark = true;
            Finish();
            return;
        }
    }
}

void TextModeDecoder::FeedEnd()
{
    if (!m_finished) Finish();
}

bool TextModeDecoder::NextLine(CString& line)
{
    if (m_ready.empty()) return false;
    line = CString(std::move(m_ready.front()));
    m_ready.pop_front();
    return true;
}

bool TextModeDecoder::SawEndOfFileMark() const { return m_sawEndMark; }

void TextModeDecoder::EndLine()
{
    m_ready.push_back(std::move(m_line));
    m_line = std::string();
}

void TextModeDecoder::Finish()
{
    if (m_pendingCr) {
        m_pendingCr = false;
        m_line += kCr;
    }
    // ReadString gives a last line that has no line end; a file ending in LF has no such line.
    if (!m_line.empty()) EndLine();
    m_finished = true;
}
