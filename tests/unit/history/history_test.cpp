#include <gtest/gtest.h>

#include <string>

#include "history/ComparedRuns.h"
#include "history/HistoryList.h"
#include "history/RunName.h"
#include "history/SameRun.h"
#include "history/VinFolder.h"
#include "tests/unit/test_support.h"

using namespace std::string_literals;

namespace {

TEST(HistoryTest, VinFolderNameStaysOnePlainFolder)
{
    const struct { std::string vin; std::string folder; } rows[] = {
        {"LSVAU2180N2183294", "LSVAU2180N2183294"},
        {"", kNoVinFolder},
        {"..", kNoVinFolder},
        {" . ", kNoVinFolder},
        {"..\\..\\Windows", "_._Windows"},
        {"a/b:c*d?e\"f<g>h|i", "a_b_c_d_e_f_g_h_i"},
        {"C:", "C_"},
        {"a..b", "a.b"},
        {"VIN. ", "VIN"},
        {"(no VIN)", "_no VIN_"},
        {"con", "_con"},
        {"NUL.txt", "_NUL.txt"},
        {"Lpt9.x", "_Lpt9.x"},
        {"Nul ", "_Nul"},
        {"COM10", "COM10"},
        {"\xB2\xE2\x5C\x00X"s, "____X"},
        {std::string(70, 'A'), std::string(64, 'A')},
        {"AUX." + std::string(70, 'b'), "_AUX." + std::string(59, 'b')},
    };
    for (const auto& row : rows) EXPECT_EQ(CString(row.folder), VinFolderName(CString(row.vin))) << Escaped(row.vin);
}

TEST(HistoryTest, RunFolderNameSortsAndReadsBack)
{
    const RunTime time{2026, 12, 8, 21, 46, 13};
    EXPECT_EQ(CString("2026-12-08 21-46-13"), RunFolderName(time));
    EXPECT_EQ(CString("2026-12-08 21-46-13 (2)"), RunFolderName(time, 2));
    EXPECT_EQ(CString("2026-12-08 21:46:13"), RunTimeText(time));
    const struct { const char* name; bool isRun; } rows[] = {
        {"2026-12-08 21-46-13", true},      {"2026-12-08 21-46-13 (2)", true}, {"2026-12-08 21-46-13 (12)", true},
        {"2026-12-08 21-46-13 (1)", false}, {"2026-12-08 21-46-13 (02)", false}, {"2026-12-08 21-46-13.tmp", false},
        {"~2026-12-08 21-46-13", false},    {"2026-13-08 21-46-13", false},    {"2026-12-08 24-46-13", false},
        {"2026-12-08", false},              {"", false},
    };
    for (const auto& row : rows) {
        RunTime parsed;
        EXPECT_EQ(row.isRun, ParseRunFolderName(row.name, parsed)) << row.name;
        EXPECT_TRUE(!row.isRun || parsed == time) << row.name;
    }
}

TEST(HistoryTest, SameRunHasSameFilesWithSameBytes)
{
    const std::vector<RunFile> run = {{"VIN.DAT", "V1\r\n"}, {"DTC.DAT", "P0301\r\n"}};
    const struct { const char* what; std::vector<RunFile> other; bool same; } rows[] = {
        {"same files in another order and case", {{"dtc.dat", "P0301\r\n"}, {"VIN.DAT", "V1\r\n"}}, true},
        {"one byte differs", {{"VIN.DAT", "V1\r\n"}, {"DTC.DAT", "P0302\r\n"}}, false},
        {"a file more", {{"VIN.DAT", "V1\r\n"}, {"DTC.DAT", "P0301\r\n"}, {"CDS.DAT", ""}}, false},
        {"a file less", {{"VIN.DAT", "V1\r\n"}}, false},
        {"another file of the same bytes", {{"VIN.DAT", "V1\r\n"}, {"CDS.DAT", "P0301\r\n"}}, false},
    };
    for (const auto& row : rows) EXPECT_EQ(row.same, IsSameRun(run, row.other)) << row.what;
}

TEST(HistoryTest, ListFiltersByPartOfVinOrTroubleCodeAndSorts)
{
    const std::vector<KeptRun> runs = {
        {"LSVAU2180N2183294", "2026-12-01 08-00-00", {}, "DTC", false, " P0301 P0171 P0420"},
        {"WDB2030461A123456", "2026-12-08 09-00-00", {}, "CDS DTC", false, " P0420"},
        {"LSVAU2180N2183294", "2026-12-05 08-00-00", {}, "DTC", false, {}},
        {"\xB2\xE2\x41", "2026-11-01 08-00-00", {}, "", false, {}},
    };
    const struct { const char* filter; HistoryColumn column; bool ascending; std::vector<size_t> listed; } rows[] = {
        {"", HistoryColumn::Time, false, {1, 2, 0, 3}},
        {"au2", HistoryColumn::Time, false, {2, 0}},
        {"1a1", HistoryColumn::Time, false, {1}},
        {"\xE2\x41", HistoryColumn::Time, false, {}},
        {"\xE2", HistoryColumn::Time, false, {}},
        {"\x41", HistoryColumn::Time, false, {1, 2, 0, 3}},
        {"p0171", HistoryColumn::Time, false, {0}},  // by trouble code, or the start of one
        {"P04", HistoryColumn::Time, false, {1, 0}},
        {"0171", HistoryColumn::Time, false, {}},
        {"", HistoryColumn::Vin, true, {2, 0, 1, 3}},
        {"", HistoryColumn::Reports, false, {2, 0, 1, 3}},
        {"", HistoryColumn::Time, true, {3, 0, 2, 1}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.listed, ListedRuns(runs, row.filter, row.column, row.ascending)) << Escaped(row.filter);
}

// Rows: the runs selected, or one run with "previous"; the pair compared as "before after", or "-".
TEST(HistoryTest, ComparesTwoRunsOfOneVin)
{
    auto run = [](const char* vin, const char* time) { return KeptRun{vin, time, {}, {}, false, {}}; };
    const std::vector<KeptRun> runs = {run("A", "2026-01"), run("A", "2026-03"), run("B", "2026-02"),
                                       run("A", "2026-02"), run(kNoVinFolder, "1"), run(kNoVinFolder, "2")};
    const struct { std::vector<size_t> selected; bool previous; const char* pair; } rows[] = {
        {{1, 0}, false, "0 1"}, {{0, 3}, false, "0 3"}, {{0, 2}, false, "-"}, {{4, 5}, false, "-"}, {{0}, false, "-"},
        {{0, 1, 3}, false, "-"}, {{1}, true, "3 1"}, {{0}, true, "-"}, {{2}, true, "-"}, {{5}, true, "-"},
    };
    for (const auto& row : rows) {
        RunPair pair{};
        const bool found = row.previous ? WithPrevious(runs, row.selected[0], pair) : SelectedPair(runs, row.selected, pair);
        const std::string shown = found ? std::to_string(pair.before) + " " + std::to_string(pair.after) : "-";
        EXPECT_EQ(row.pair, shown) << "selected " << row.selected[0] << (row.previous ? " and previous" : "...");
    }
}

}  // namespace
