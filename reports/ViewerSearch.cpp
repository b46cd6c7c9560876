#include "reports/ViewerSearch.h"

#include "reports/WholeCharacterMatch.h"

namespace {

size_t CharacterSize(std::string_view bytes, size_t at)
{
    return IsLeadByte(static_cast<unsigned char>(bytes[at])) && at + 1 < bytes.size() ? 2 : 1;
}

}  // namespace

std::optional<std::pair<long, long>> FindInViewerText(std::string_view text, long selectionStart, long selectionEnd,
                                                      const CString& sought, ViewerSearch search,
                                                      IsWordCharacter isWordCharacter)
{
    const std::string_view bytes = sought.Bytes();
    if (bytes.empty()) return std::nullopt;
    long soughtCharacters = 0;
    for (size_t at = 0; at < bytes.size(); at += CharacterSize(bytes, at)) ++soughtCharacters;
    std::optional<std::pair<long, long>> firstPass, wrapped;
    const char* const first = bytes.data();
    size_t previous = 0;  // the character before `at`
    long character = 0;
    for (size_t at = 0; at < text.size(); previous = at, at += CharacterSize(text, at), ++character) {
        if (text[at] != *first && (search.matchCase || (text[at] | 0x20) != (*first | 0x20))) continue;
        if (!IsWholeCharacterMatchAt(text.substr(at), bytes, search.matchCase)) continue;
        const size_t after = at + bytes.size();
        if (search.wholeWord && ((at > 0 && isWordCharacter(text.substr(previous, at - previous))) ||
                                 (after < text.size() && isWordCharacter(text.substr(after, CharacterSize(text, after))))))
            continue;
        const std::pair<long, long> match{character, character + soughtCharacters};
        // Wrapping around finds the first match of all (down) or the last (up).
        if (search.down) {
            if (match.first >= selectionEnd) return match;
            if (!wrapped) wrapped = match;
        } else {
            if (match.second <= selectionStart) firstPass = match;
            wrapped = match;
        }
    }
    return firstPass ? firstPass : wrapped;
}
