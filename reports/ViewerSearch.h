#pragma once
// Find in the viewer's whole text at once: one pass over its bytes, however far the match is.
// Positions are the viewer's: characters, a double-byte GBK character being one, and a
// paragraph break one CR. The rules are the viewer's own search's, kept by the viewer's Find
// before: a match is whole characters (WholeCharacterMatch.h); a whole word has no word
// character just before or after it; searching down takes the first match from the selection's
// end on, searching up the last one that ends by the selection's start; with none, the search
// wraps around once over what the first pass could not reach.
#include <optional>
#include <string_view>
#include <utility>

#include "framework/CString.h"

struct ViewerSearch {
    bool down = true;
    bool matchCase = false;
    bool wholeWord = false;
};

// Whether the character in `bytes` (one or two of them) belongs to a word; the window asks the system.
using IsWordCharacter = bool (*)(std::string_view character);

// The first and last character positions of the match, or none.
std::optional<std::pair<long, long>> FindInViewerText(std::string_view text, long selectionStart, long selectionEnd,
                                                      const CString& sought, ViewerSearch search,
                                                      IsWordCharacter isWordCharacter);
