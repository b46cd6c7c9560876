#include "reports/ReportText.h"

#include <algorithm>

#include "framework/CodePageText.h"
#include "framework/TextModeDecoder.h"
#include "reports/ViewerText.h"

namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";

void AppendUtf8(std::string& text, unsigned long point)
{
    if (point < 0x80) {
        text += static_cast<char>(point);
    } else if (point < 0x800) {
        text += static_cast<char>(0xC0 | point >> 6);
        text += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        text += static_cast<char>(0xE0 | point >> 12);
        text += static_cast<char>(0x80 | (point >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | point >> 18);
        text += static_cast<char>(0x80 | (point >> 12 & 0x3F));
        text += static_cast<char>(0x80 | (point >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (point & 0x3F));
    }
}

// A lone surrogate, or an odd last byte, is no character.
std::string Utf8FromUtf16(std::string_view bytes, bool bigEndian)
{
    const auto unit = [&](size_t i) -> unsigned {
        const auto first = static_cast<unsigned char>(bytes[2 * i]), second = static_cast<unsigned char>(bytes[2 * i + 1]);
        return bigEndian ? first << 8 | second : second << 8 | first;
    };
    const size_t units = bytes.size() / 2;
    std::string text;
    text.reserve(bytes.size());
    for (size_t i = 0; i < units; ++i) {
        const unsigned point = unit(i);
        if (point >= 0xD800 && point <= 0xDBFF && i + 1 < units && unit(i + 1) >= 0xDC00 && unit(i + 1) <= 0xDFFF) {
            AppendUtf8(text, 0x10000 + ((point - 0xD800) << 10) + (unit(++i) - 0xDC00));
        } else if (point >= 0xD800 && point <= 0xDFFF) {
            text += kReplacement;
        } else {
            AppendUtf8(text, point);
        }
    }
    if (bytes.size() % 2) text += kReplacement;
    return text;
}

}  // namespace

std::string ValidUtf8(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (size_t at = 0; at < bytes.size();) {
        const size_t length = Utf8SequenceLength(bytes, at);
        if (length == 0) {
            text += kReplacement;
            ++at;
            continue;
        }
        text.append(bytes.data() + at, length);
        at += length;
    }
    return text;
}

// The line rules work on 8-bit text, whose line ends and 0x1A are never part of a character: so
// UTF-16 is made UTF-8 before them, and every other encoding is converted after them. The bytes
// go to the line rules a piece at a time, so no more than a piece's lines wait at once.
std::string ReportText(std::string_view bytes, ReportEncoding encoding)
{
    bytes.remove_prefix(encoding.markSize < bytes.size() ? encoding.markSize : bytes.size());
    std::string utf8;
    if (encoding.codePage == kCodePageUtf16Le || encoding.codePage == kCodePageUtf16Be) {
        utf8 = Utf8FromUtf16(bytes, encoding.codePage == kCodePageUtf16Be);
        bytes = utf8;
        encoding.codePage = kCodePageUtf8;
    }
    constexpr size_t kPiece = 64 * 1024;
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 8);
    TextModeDecoder lines;
    CString line;
    for (size_t at = 0; at < bytes.size() && !lines.SawEndOfFileMark(); at += kPiece) {
        lines.Feed(bytes.data() + at, std::min(kPiece, bytes.size() - at));
        while (lines.NextLine(line)) {
            text += "\r\n";
            AppendShownLine(text, line.Bytes());
        }
    }
    lines.FeedEnd();
    while (lines.NextLine(line)) {
        text += "\r\n";
        AppendShownLine(text, line.Bytes());
    }
    utf8 = std::string();  // freed before the conversion makes its own copy
    // ASCII is the same in every code page a report is read in.
    const bool ascii = std::all_of(text.begin(), text.end(), [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
    if (encoding.codePage != kCodePageUtf8 && !ascii) return Utf8FromCodePage(text, encoding.codePage);
    for (size_t at = 0; at < text.size(); at += Utf8SequenceLength(text, at))
        if (Utf8SequenceLength(text, at) == 0) return ValidUtf8(text);
    return text;
}
