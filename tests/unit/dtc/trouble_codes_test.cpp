#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "dtc/BeforeAndAfter.h"
#include "dtc/TroubleCodes.h"
#include "tests/unit/test_support.h"

namespace {

// "system|code|status" per code, one line each: the status is the text up to its first tab.
std::string Found(const CString& report)
{
    std::string found;
    for (const TroubleCode& code : FindTroubleCodes(report))
        found += code.system.Bytes() + "|" + code.code.Bytes() + "|" + code.text.Bytes().substr(0, code.text.Bytes().find('\t')) + "\n";
    return found;
}

std::string SampleReport()
{
    std::ifstream file(MARDELLO_SOURCE_DIR "/samples/device/PRINT/DTC.DAT", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

TEST(TroubleCodesTest, FindsWholeCodesUnderTheirSystems)
{
    const std::string ecm = "\xB7\xA2\xB6\xAF\xBB\xFA\xBF\xD8\xD6\xC6\xC4\xA3\xBF\xE9 (ECM)|";
    const std::string now = "|\xB5\xB1\xC7\xB0\n", before = "|\xC0\xFA\xCA\xB7\n";  // current, history
    const struct { std::string report; std::string found; } rows[] = {
        {SampleReport(), ecm + "P0301" + now + ecm + "P0171" + now + ecm + "P0420" + before + ecm + "P0442" + before + ecm + "U0121" + before},
        {"XP0301 P0301X P03011 P0301_ 1P0301", ""},            // inside longer words
        {"p0301 P0a01 P4301 A0301 P030", ""},                  // lower case, not hex, digit above 3, other letter, short
        {"C1A2F, B3000;U0001", "|C1A2F|, B3000;U0001\n|B3000|;U0001\n|U0001|\n"},
        {"\xB9\xCA\xD5\xCFP0301\xB5\xB1\xC7\xB0", "|P0301|\xB5\xB1\xC7\xB0\n"},  // beside GBK text
        {"\xB0P0301 x", ""},                                     // 'P' is a trail byte
        {"System: A\r\nP0301 a\r\nP0301 again\r\nModule\xA3\xBA B\nP0301 b", "A|P0301|a\nB|P0301|b\n"},
        {"System: TCM\r\nNo Trouble Codes\r\n", ""},
        {"Systems: A\r\nP0301 x", "|P0301|x\n"},                // not a system line
    };
    for (const auto& row : rows) EXPECT_EQ(row.found, Found(CString(row.report))) << Escaped(row.report);
}

std::string Names(const std::vector<TroubleCode>& codes)
{
    std::string names;
    for (const TroubleCode& code : codes) names += code.code.Bytes() + " ";
    return names;
}

// Rows: the codes before and after; the groups "cleared / still present / new".
TEST(BeforeAndAfterTest, GroupsClearedStillPresentAndNew)
{
    const struct { const char* before; const char* after; std::string groups; } rows[] = {
        {"P0301 P0171 P0420", "P0420 P0455", "P0301 P0171 / P0420 / P0455 "},
        {"", "P0420", "/ / P0420 "},
        {"P0420", "No trouble codes", "P0420 / / "},
        {"System: A\nP0420", "System: B\nP0420", "P0420 / / P0420 "},  // another system, another code
    };
    for (const auto& row : rows) {
        const CodeChanges changes = CompareCodes(FindTroubleCodes(row.before), FindTroubleCodes(row.after));
        EXPECT_EQ(row.groups, Names(changes.cleared) + "/ " + Names(changes.stillPresent) + "/ " + Names(changes.added))
            << row.before << " | " << row.after;
    }
}

TEST(BeforeAndAfterTest, ViewHasHeaderGroupsUnderSystemsAndCounts)
{
    const RunCodes before{"2026-01-02 03:04:05", true, FindTroubleCodes("System: ECM\nP0301\tnow\tMisfire\nP0420 old")};
    const RunCodes after{"2026-02-03 04:05:06", false, {}};
    EXPECT_EQ(CString("\r\nBefore and after the repair / \xCE\xAC\xD0\xDE\xC7\xB0\xBA\xF3\xB6\xD4\xB1\xC8"
                      "\r\nVIN:    VIN1\r\nBefore: 2026-01-02 03:04:05"
                      "\r\nAfter:  2026-02-03 04:05:06 (no trouble code report / \xCE\xDE\xB9\xCA\xD5\xCF\xC2\xEB\xB1\xA8\xB8\xE6)"
                      "\r\n\r\nCleared / \xD2\xD1\xC7\xE5\xB3\xFD\r\n    ECM\r\n        P0301    now    Misfire\r\n        P0420    old"
                      "\r\n\r\nStill present / \xC8\xD4\xB4\xE6\xD4\xDA\r\n    None / \xCE\xDE"
                      "\r\n\r\nNew / \xD0\xC2\xB3\xF6\xCF\xD6\r\n    None / \xCE\xDE"
                      "\r\n\r\nCleared / \xD2\xD1\xC7\xE5\xB3\xFD: 2\r\nStill present / \xC8\xD4\xB4\xE6\xD4\xDA: 0"
                      "\r\nNew / \xD0\xC2\xB3\xF6\xCF\xD6: 0"),
              BeforeAndAfterView("VIN1", before, after));
}

}  // namespace
