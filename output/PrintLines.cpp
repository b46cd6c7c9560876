#include "output/PrintLines.h"

#include <cstdint>
#include <string>

std::vector<CString> SplitPrintLines(const CString& viewerText)
{
    std::vector<CString> lines;
    const std::string& text = viewerText.Bytes();
    size_t from = 0;
    for (size_t cr; (cr = text.find('\r', from)) != std::string::npos; from = cr + 1)
        lines.emplace_back(text.data() + from, cr - from);
    if (from < text.size()) lines.emplace_back(text.data() + from, text.size() - from);
    return lines;
}

std::vector<CString> WrapPrintLine(const CString& line, int maxWidth, const CharWidth& width, PrintEncoding encoding)
{
    const std::string& text = line.Bytes();
    if (text.empty()) return {CString()};

    std::vector<CString> pieces;
    size_t pieceStart = 0;
    size_t afterSpace = std::string::npos;  // just past the piece's last space, npos when it has none
    int64_t pieceWidth = 0;
    int64_t widthAfterSpace = 0;  // width of the piece's characters that follow that space
    auto cut = [&](size_t end) {
        pieces.emplace_back(text.data() + pieceStart, end - pieceStart);
        pieceStart = end;
    };

    for (size_t at = 0; at < text.size();) {
        const size_t length = PrintCharLength(text, at, encoding);
        const int64_t charWidth = width(text.data() + at, length);
        if (at > pieceStart && pieceWidth + charWidth > maxWidth) {
            if (afterSpace != std::string::npos) {
                cut(afterSpace);
                pieceWidth = widthAfterSpace;
                afterSpace = std::string::npos;
            }
            // What followed the space may still leave no room: then break right here.
            if (at > pieceStart && pieceWidth + charWidth > maxWidth) {
                cut(at);
                pieceWidth = 0;
            }
        }
        pieceWidth += charWidth;
        widthAfterSpace += charWidth;
        if (length == 1 && text[at] == ' ') {
            afterSpace = at + 1;
            widthAfterSpace = 0;
        }
        at += length;
    }
    cut(text.size());
    return pieces;
}
