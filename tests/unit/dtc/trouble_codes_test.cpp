#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "dtc/BeforeAndAfter.h"
#include "dtc/TroubleCodes.h"
#include "tests/unit/test_support.h"

namespace {

// "system|code|text" per code, one line each.
std::string Found(const CString& report)
{
    std::string found;
    for (const TroubleCode& code : FindTroubleCodes(report))
        found += code.system.Bytes() + "|" + code.code.Bytes() + "|" + code.text.Bytes() + "\n";
    return found;
}

std::string SampleReport()
{
    std::ifstream file(MARDELLO_SOURCE_DIR "/samples/device/PRINT/DTC.DAT", std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

TEST(TroubleCodesTest, FindsWholeCodesUnderTheirSystems)
{
    const std::string ecm = "\xB7\xA2\xB6\xAF\xBB\xFA\xBF\xD8\xD6\xC6\xC4\xA3\xBF\xE9 (ECM)";
    const struct { std::string report; std::string found; } rows[] = {
        {SampleReport(),
         ecm + "|P0301|\xB5\xB1\xC7\xB0\t1\xB8\xD7\xBC\xEC\xB2\xE2\xB5\xBD\xCA\xA7\xBB\xF0 / Cylinder 1 Misfire Detected\n" +
         ecm + "|P0171|\xB5\xB1\xC7\xB0\tSystem Too Lean (Bank 1)\n" +
         ecm + "|P0420|\xC0\xFA\xCA\xB7\t\xB4\xDF\xBB\xAF\xBC\xC1\xCF\xB5\xCD\xB3\xD0\xA7\xC2\xCA\xB5\xCD\xD3\xDA\xE3\xD0\xD6\xB5 (\xB5\xDA" "1\xC5\xC5)\n" +
         ecm + "|P0442|\xC0\xFA\xCA\xB7\tEVAP System Small Leak Detected\n" +
         ecm + "|U0121|\xC0\xFA\xCA\xB7\t\xD3\xEB" "ABS\xBF\xD8\xD6\xC6\xC4\xA3\xBF\xE9\xCA\xA7\xC8\xA5\xCD\xA8\xD0\xC5\n"},
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

TEST(TroubleCodesTest, CodeListHoldsEachCodeOnce)
{
    EXPECT_EQ(CString(" P0301 U0001"), CodeList(FindTroubleCodes("System: A\nP0301\nU0001\nSystem: B\nP0301")));
}

std::vector<TroubleCode> Codes(std::initializer_list<const char*> codes)
{
    std::vector<TroubleCode> list;
    for (const char* code : codes) list.push_back({"S", code, "t"});
    return list;
}

std::string Names(const std::vector<TroubleCode>& codes)
{
    std::string names;
    for (const TroubleCode& code : codes) names += code.code.Bytes() + " ";
    return names;
}

TEST(BeforeAndAfterTest, GroupsClearedStillPresentAndNew)
{
    const struct { std::vector<TroubleCode> before, after; std::string cleared, still, added; } rows[] = {
        {Codes({"P0301", "P0171", "P0420"}), Codes({"P0420", "P0455"}), "P0301 P0171 ", "P0420 ", "P0455 "},
        {{}, Codes({"P0420"}), "", "", "P0420 "},
        {Codes({"P0420"}), {}, "P0420 ", "", ""},
        {{{"A", "P0420", ""}}, {{"B", "P0420", ""}}, "P0420 ", "", "P0420 "},  // another system, another code
    };
    for (const auto& row : rows) {
        const CodeChanges changes = CompareCodes(row.before, row.after);
        EXPECT_EQ(row.cleared, Names(changes.cleared)) << Names(row.before) << "/ " << Names(row.after);
        EXPECT_EQ(row.still, Names(changes.stillPresent)) << Names(row.before) << "/ " << Names(row.after);
        EXPECT_EQ(row.added, Names(changes.added)) << Names(row.before) << "/ " << Names(row.after);
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
