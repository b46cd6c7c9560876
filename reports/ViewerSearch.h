#pragma once
// Find in the viewer's whole text at once: one pass over its characters, however far the match
// is. Positions are the viewer's: characters, a paragraph break one CR. The rules are the
// viewer's own search's, kept by the viewer's Find before: a whole word has no word character
// just before or after it; searching down takes the first match from the selection's end on,
// searching up the last one that ends by the selection's start; with none, the search wraps
// around once over what the first pass could not reach.
#include <optional>
#include <string_view>
#include <utility>

struct ViewerSearch {
    bool down = true;
    bool matchCase = false;
    bool wholeWord = false;
};

// How characters are judged; the window asks the system.
struct CharacterRules {
    bool (*isWordCharacter)(wchar_t character);
    // The upper case of each of the 65,536 UTF-16 units, by its value; one that is no letter
    // stays as it is. A table, since a search without match case looks at every character.
    const wchar_t* upperCase;
};

// The first and last character positions of the match, or none.
std::optional<std::pair<long, long>> FindInViewerText(std::wstring_view text, long selectionStart, long selectionEnd,
                                                      std::wstring_view sought, ViewerSearch search,
                                                      CharacterRules rules);
