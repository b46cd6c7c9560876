#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "dtc/BeforeAndAfter.h"
#include "dtc/TroubleCodes.h"
#include "reports/ReportText.h"
#include "tests/unit/test_support.h"

namespace {

// "system|code|status" per code, one line each: the status is the text up to its first tab, which
// the viewer text shows as four spaces.
std::string Found(const TroubleCodeList& list)
{
    std::string found;
    for (const TroubleCode& code : list.codes) {
        const std::string_view text = list.Text(code);
        found += std::string(list.System(code)) + "|" + std::string(TroubleCodeList::Code(code)) + "|" +
                 std::string(text.substr(0, std::min(text.find('\t'), text.find("    ")))) + "\n";
    }
    return found;
}

std::string SampleReport()
{
    std::ifstream file(MARDELLO_SOURCE_DIR "/samples/device/PRINT/DTC.DAT", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

const std::string kEcm = "发动机控制模块 (ECM)|";
const std::string kSampleFound = kEcm + "P0301|当前\n" + kEcm + "P0171|当前\n" + kEcm + "P0420|历史\n" + kEcm +
                                 "P0442|历史\n" + kEcm + "U0121|历史\n";

TEST(TroubleCodesTest, FindsWholeCodesUnderTheirSystems)
{
    const std::string longName(300, 'x');
    const struct { std::string report; std::string found; } rows[] = {
        {"XP0301 P0301X P03011 P0301_ 1P0301", ""},            // inside longer words
        {"p0301 P0a01 P4301 A0301 P030", ""},                  // lower case, not hex, digit above 3, other letter, short
        {"C1A2F, B3000;U0001", "|C1A2F|,\n|B3000|;\n|U0001|\n"},  // each text up to the next code
        {"故障码P0301当前", "|P0301|当前\n"},                  // right after Chinese characters
        {"系统：A\r\nP0301 a\r\nP0301 again\r\nModule: B\nP0301 b", "A|P0301|a\nB|P0301|b\n"},
        {"System: TCM\r\nNo Trouble Codes\r\n", ""},
        {"Systems: A\r\nP0301 x", "|P0301|x\n"},                // not a system line
        {"System: " + longName + "\nP0301", longName.substr(0, 256) + "|P0301|\n"},  // names capped as texts are
        {"System: " + std::string(255, 'x') + "码\nP0301", std::string(255, 'x') + "|P0301|\n"},  // in whole characters
        {"System: A\nP0301\nSystem: B\nP0171\nSystem: A\nP0301\nP0420", "A|P0301|\nB|P0171|\nA|P0420|\n"},  // one A
    };
    for (const auto& row : rows) EXPECT_EQ(row.found, Found(FindTroubleCodes(row.report))) << Escaped(row.report);
}

// The sample report saved in each encoding a workshop PC writes gives the same codes.
TEST(TroubleCodesTest, OneReportInEveryEncodingGivesTheSameCodes)
{
    const std::string gbk = SampleReport();
    const std::string utf8 = ReportText(gbk, {kCodePageGbk, 0});
    std::string le = "\xFF\xFE", be = "\xFE\xFF";
    for (size_t at = 0; at < utf8.size();) {  // the sample holds no character past U+FFFF
        const auto lead = static_cast<unsigned char>(utf8[at]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : 3;
        unsigned point = length == 1 ? lead : lead & (length == 2 ? 0x1F : 0x0F);
        for (size_t i = 1; i < length; ++i) point = point << 6 | (static_cast<unsigned char>(utf8[at + i]) & 0x3F);
        le += {static_cast<char>(point & 0xFF), static_cast<char>(point >> 8)};
        be += {static_cast<char>(point >> 8), static_cast<char>(point & 0xFF)};
        at += length;
    }
    for (const std::string& file : {gbk, utf8, "\xEF\xBB\xBF" + utf8, le, be})
        EXPECT_EQ(kSampleFound, Found(FindTroubleCodes(ReportText(file, AutomaticEncoding(file))))) << Escaped(file.substr(0, 8));
}

std::string Names(const TroubleCodeList& list, const std::vector<uint32_t>& codes)
{
    std::string names;
    for (const uint32_t i : codes) names += std::string(TroubleCodeList::Code(list.codes[i])) + " ";
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
        {"System: A\nP0420\nSystem: B\nP0171", "System: B\nP0171\nSystem: C\nP0420", "P0420 / P0171 / P0420 "},
    };
    for (const auto& row : rows) {
        const TroubleCodeList before = FindTroubleCodes(row.before), after = FindTroubleCodes(row.after);
        const CodeChanges changes = CompareCodes(before, after);
        std::vector<uint32_t> still;
        for (const auto& pair : changes.stillPresent) still.push_back(pair.second);
        EXPECT_EQ(row.groups, Names(before, changes.cleared) + "/ " + Names(after, still) + "/ " + Names(after, changes.added))
            << row.before << " | " << row.after;
    }
}

TEST(BeforeAndAfterTest, ViewShowsEachCodeInBothVisits)
{
    const RunCodes before{"2026-01-02 03:04:05", ReportRead::Whole, FindTroubleCodes("System: ECM\nP0301\t当前\tMisfire\nP0420\t历史")};
    const RunCodes after{"2026-02-03 04:05:06", ReportRead::Whole, FindTroubleCodes("System: ECM\nP0420\t当前\tCatalyst\nP0455")};
    EXPECT_EQ(CString("\r\nBefore and after the repair / 维修前后对比\r\nVIN:    VIN1\r\nBefore: 2026-01-02 03:04:05"
                      "\r\nAfter:  2026-02-03 04:05:06"
                      "\r\n\r\nCleared / 已清除\r\n    ECM\r\n        P0301    before: 当前 · after: —    Misfire"
                      "\r\n\r\nStill present / 仍存在\r\n    ECM\r\n        P0420    before: 历史 · after: 当前    Catalyst"
                      "\r\n\r\nNew / 新出现\r\n    ECM\r\n        P0455"  // no status in either run
                      "\r\n\r\nCleared / 已清除: 1\r\nStill present / 仍存在: 1\r\nNew / 新出现: 1"),
              BeforeAndAfterView("VIN1", before, after));
}

// A run without a whole report is compared with nothing: no groups, no counts, the other run's codes listed.
TEST(BeforeAndAfterTest, NothingIsComparedWithARunWithoutItsReport)
{
    const TroubleCodeList codes = FindTroubleCodes("System: ECM\nP0301\t当前\tMisfire");
    const struct { ReportRead before, after; const char* says; const char* visit = ""; } rows[] = {
        {ReportRead::Whole, ReportRead::Missing, "After:  t2 (no trouble code report / 无故障码报告)\r\n\r\nNot compared: the run after"},
        {ReportRead::Missing, ReportRead::Whole, "Before: t1 (no trouble code report / 无故障码报告)\r\nAfter:  t2\r\n\r\nNot compared: the run before"},
        {ReportRead::CutShort, ReportRead::Whole, "Before: t1 (trouble code report not read to its end / 故障码报告未读完)"},
        {ReportRead::Missing, ReportRead::CutShort, "Not compared: neither run"},
        {ReportRead::Whole, ReportRead::NoAnswer, "After:  t2 (trouble code report not read to its end / 故障码报告未读完)"},
        {ReportRead::Missing, ReportRead::Whole, "Before: t1   job J-1, 10 km (no trouble code report", "job J-1, 10 km"},
    };
    for (const auto& row : rows) {
        const std::string view = BeforeAndAfterView("V", {"t1", row.before, codes, row.visit}, {"t2", row.after, codes}).Bytes();
        EXPECT_NE(std::string::npos, view.find(row.says)) << view;
        EXPECT_EQ(std::string::npos, view.find("Cleared")) << view;
        const bool listed = view.find("\r\n    ECM\r\n        P0301    当前    Misfire") != std::string::npos;
        EXPECT_EQ(row.before == ReportRead::Whole || row.after == ReportRead::Whole, listed) << view;
    }
}

}  // namespace
