#include "reports/ViewerSearch.h"

std::optional<std::pair<long, long>> FindInViewerText(std::wstring_view text, long selectionStart, long selectionEnd,
                                                      std::wstring_view sought, ViewerSearch search,
                                                      CharacterRules rules)
{
    if (sought.empty() || text.size() < sought.size()) return std::nullopt;
    const auto upper = [&](wchar_t character) { return rules.upperCase[static_cast<unsigned short>(character)]; };
    const auto same = [&](wchar_t mine, wchar_t theirs) {
        return mine == theirs || (!search.matchCase && upper(mine) == upper(theirs));
    };
    const auto isWordAt = [&](size_t at) { return at < text.size() && rules.isWordCharacter(text[at]); };
    const wchar_t first = search.matchCase ? sought[0] : upper(sought[0]);
    std::optional<std::pair<long, long>> firstPass, wrapped;
    const size_t last = text.size() - sought.size();
    for (size_t at = 0; at <= last; ++at) {
        if (text[at] != first && (search.matchCase || upper(text[at]) != first)) continue;
        size_t matched = 1;
        while (matched < sought.size() && same(text[at + matched], sought[matched])) ++matched;
        if (matched < sought.size()) continue;
        if (search.wholeWord && ((at > 0 && isWordAt(at - 1)) || isWordAt(at + sought.size()))) continue;
        const std::pair<long, long> match{static_cast<long>(at), static_cast<long>(at + sought.size())};
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
