#include "output/PrintScripts.h"

#include <gtest/gtest.h>

namespace {

TEST(PrintScriptsTest, FontCodePageHoldsTheText)
{
    struct Row {
        const char* what;
        const char* utf8;
        unsigned system;
        unsigned font;
    };
    const Row rows[] = {
        {"Latin keeps the system's", "P0301 caf\xC3\xA9", 1252, 1252},
        {"Chinese on a Chinese system: as today", "\xE6\xB0\x94\xE7\xBC\xB8", 936, 936},
        {"Chinese on a Western system", "P0301 \xE6\xB0\x94\xE7\xBC\xB8", 1252, 936},
        {"Chinese on a Japanese system keeps it", "\xE6\xB0\x94", 932, 932},
        {"full-width punctuation counts as Chinese", "P0301\xEF\xBC\x9A", 1252, 936},
        {"kana with Chinese on a Western system", "\xE6\xB0\x94\xE3\x81\x82", 1252, 932},
        {"Hangul even on a Chinese system", "\xE6\xB0\x94\xEA\xB0\x80", 936, 949},
        {"Cyrillic on a Western system", "\xD0\x96", 1252, 1251},
        {"Cyrillic within a Chinese system's", "\xD0\x96", 936, 936},
        {"Greek on a Cyrillic system", "\xCE\xA9", 1251, 1253},
        {"broken bytes are no script", "\xE6\xB0", 1252, 1252},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        PrintScripts scripts;
        scripts.Scan(row.utf8);
        EXPECT_EQ(row.font, scripts.FontCodePage(row.system));
    }
}

}  // namespace
