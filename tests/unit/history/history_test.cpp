#include <gtest/gtest.h>

#include <string>

#include "history/ComparedRuns.h"
#include "history/DeletedRuns.h"
#include "history/FolderEntry.h"
#include "history/HistoryList.h"
#include "history/KeepingFolder.h"
#include "history/OutboxStep.h"
#include "history/RunName.h"
#include "history/SameRun.h"
#include "history/ShownRunGone.h"
#include "history/VinFolder.h"
#include "history/VinOfFile.h"
#include "tests/unit/test_support.h"

using namespace std::string_literals;

namespace {

TEST(HistoryTest, PlainVinNameStaysOnePlainFolder)
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
    for (const auto& row : rows) EXPECT_EQ(CString(row.folder), PlainVinName(CString(row.vin))) << Escaped(row.vin);
}

// The VINs a device may write that the plain name merges; a VIN kept as it is keeps its name.
TEST(HistoryTest, DifferentVinsNeverShareAFolder)
{
    EXPECT_EQ(CString("LSVAU2180N2183294"), VinFolderName("LSVAU2180N2183294"));
    EXPECT_EQ(CString(kNoVinFolder), VinFolderName(""));
    const std::string vins[] = {"ABC/1", "ABC:1", "ABC_1", "abc_1", "Abc_1", "\xB2\xE2\xCA\xD4", "\xD6\xD0\xCE\xC4",
                                std::string(64, 'A') + "1", std::string(64, 'A') + "2", "", "..", "(no VIN)", "CON", "con"};
    for (const std::string& a : vins)
        for (const std::string& b : vins) {
            if (a >= b) continue;
            EXPECT_NE(0, VinFolderName(CString(a)).CompareNoCase(VinFolderName(CString(b)))) << Escaped(a) << " " << Escaped(b);
        }
}

TEST(HistoryTest, FolderEntryThatIsALinkOrAPatternIsSkipped)
{
    using Use = FolderEntryUse;
    const struct { const char* name; unsigned long attributes; Use use; } rows[] = {
        {"LSVAU2180N2183294", 0x10, Use::Folder}, {"DTC.DAT", 0x20, Use::File},        {"...", 0x10, Use::Folder},
        {"..", 0x10, Use::Skipped},               {"", 0x10, Use::Skipped},            {"linked", 0x410, Use::Skipped},
        {"VIN.DAT", 0x400, Use::Skipped},         {"2026?01", 0x10, Use::Skipped},     {"a\\b", 0x10, Use::Skipped},
        {"C:x", 0x10, Use::Skipped},              {"tab\tname", 0x20, Use::Skipped},
    };
    for (const auto& row : rows) EXPECT_EQ(UseOfFolderEntry(row.name, row.attributes), row.use) << row.name;
}

TEST(HistoryTest, RunFolderNameSortsAndReadsBack)
{
    const RunTime time{2026, 12, 8, 21, 46, 13};
    EXPECT_EQ(CString("2026-12-08 21-46-13"), RunFolderName(time));
    EXPECT_EQ(CString("2026-12-08 21-46-13 (2)"), RunFolderName(time, 2));
    EXPECT_EQ(CString("2026-12-08 21:46:13"), RunTimeText(time));
    const struct { const char* name; int copy; } rows[] = {  // copy 0: no run
        {"2026-12-08 21-46-13", 1},      {"2026-12-08 21-46-13 (2)", 2},   {"2026-12-08 21-46-13 (12)", 12},
        {"2026-12-08 21-46-13 (1)", 0},  {"2026-12-08 21-46-13 (02)", 0},  {"2026-12-08 21-46-13.tmp", 0},
        {"~2026-12-08 21-46-13", 0},     {"2026-13-08 21-46-13", 0},       {"2026-12-08 24-46-13", 0},
        {"2026-12-08", 0},               {"", 0},                          {"2026-12-08 21-46-13 (1000001)", 1000001},
        {"2026-12-08 21-46-13 (999999999)", 999999999}, {"2026-12-08 21-46-13 (9999999999)", 0},
    };
    for (const auto& row : rows) {
        RunTime parsed;
        int copy = 0;
        EXPECT_EQ(row.copy > 0, ParseRunFolderName(row.name, parsed, copy)) << row.name;
        EXPECT_TRUE(row.copy == 0 || (parsed == time && copy == row.copy)) << row.name;
    }
}

// A new run of a second takes the number after the highest of that second, whatever was deleted.
TEST(HistoryTest, NewRunOfASecondTakesTheHighestNumberPlusOne)
{
    const RunTime time{2026, 12, 8, 21, 46, 13};
    const struct { std::vector<CString> names; int copy; } rows[] = {
        {{}, 1},
        {{"2026-12-08 21-46-14", "2026-12-08 21-46-12 (5)", "renamed"}, 1},
        {{"2026-12-08 21-46-13"}, 2},
        {{"2026-12-08 21-46-13", "2026-12-08 21-46-13 (4)"}, 5},  // (2) and (3) deleted
        {{"2026-12-08 21-46-13 (10)", "2026-12-08 21-46-13 (9)", "2026-12-08 21-46-13 (2)"}, 11},
        {{"2026-12-08 21-46-13 (100)"}, 101},
    };
    for (const auto& row : rows) EXPECT_EQ(row.copy, NextCopyNumber(row.names, time)) << row.names.size() << " names";
}

// Newest first: by time, then copy number as a number; a run renamed by hand by its reports'
// time, before the numbered runs of its second.
TEST(HistoryTest, HistoryIsInTheOrderOfTimeAndCopyNumber)
{
    auto run = [](const char* name, const char* vin = "A") {
        KeptRun kept{vin, name, {}, {}, {}};
        if (!ParseRunFolderName(name, kept.time, kept.copy)) kept = {vin, name, {2026, 1, 2, 3, 4, 5}, {}, {}, {}, false, 0};
        return kept;
    };
    std::vector<KeptRun> runs = {run("2026-01-02 03-04-05 (10)"), run("2026-01-02 03-04-05"), run("2026-01-02 03-04-05 (2)"),
                                       run("2026-01-02 03-04-05 (11)"), run("before the repair"),   run("2026-01-02 03-04-06"),
                                       run("2026-01-02 03-04-05 (9)"),  run("2026-01-02 03-04-04", "B"),
                                       run("2026-01-02 03-04-03", "A~0123ABCD")};
    runs.back().vin = "A";  // kept by an earlier version in another folder: the same vehicle by its VIN.DAT
    EXPECT_EQ((std::vector<size_t>{5, 3, 0, 6, 2, 1, 4, 7, 8}), ListedRuns(runs, "", HistoryColumn::Time, false));
    const struct { size_t run; const char* previous; } rows[] = {{0, "6 0"}, {3, "0 3"}, {6, "2 6"}, {1, "4 1"}, {4, "8 4"}, {7, "-"}};
    for (const auto& row : rows) {
        RunPair pair{};
        const std::string shown = WithPrevious(runs, row.run, pair) ? std::to_string(pair.before) + " " + std::to_string(pair.after) : "-";
        EXPECT_EQ(row.previous, shown) << runs[row.run].runFolder;
    }
}

// The VIN a VIN.DAT names: a mark and blanks do not make another vehicle.
TEST(HistoryTest, VinOfFileIgnoresMarkAndBlanks)
{
    const struct { std::string bytes; std::string vin; } rows[] = {
        {"LSVAU2180N2183294\r\n", "LSVAU2180N2183294"},
        {"\xEF\xBB\xBFLSVAU2180N2183294\r\n", "LSVAU2180N2183294"},
        {" \xEF\xBB\xBF LSVAU2180N2183294 \t\r\nsecond line", "LSVAU2180N2183294"},
        {"\xFF\xFEL\0S\0V\0 \0\r\0\n\0X\0"s, "LSV"},
        {"\xFE\xFF\0L\0S\0V\0\n"s, "LSV"},
        {"\xFF\xFE\x4B\x6D\x31\0"s, "\xE6\xB5\x8B" "1"},  // a character past ASCII as UTF-8
        {"\xB2\xE2\xCA\xD4 \r", "\xB2\xE2\xCA\xD4"},
        {"VIN\x1A" "after the end mark", "VIN"},
        {"A\rB\n", "A\rB"},  // a lone CR is no line end in text mode
        {"", ""},
        {"\xEF\xBB\xBF\r\n", ""},
    };
    for (const auto& row : rows) EXPECT_EQ(CString(row.vin), VinOfFile(row.bytes.data(), row.bytes.size())) << Escaped(row.bytes);
    EXPECT_EQ(VinFolderName("LSVAU2180N2183294"), VinFolderName(VinOfFile("\xEF\xBB\xBFLSVAU2180N2183294 ", 21)));
}
TEST(HistoryTest, RunWithoutAReadableTimeIsNamedByTheTimeItIsKept)
{
    const RunTime kept{2026, 12, 31, 23, 0, 0};
    const struct { RunTime written; bool kept; } rows[] = {
        {{2026, 12, 8, 21, 46, 13}, false}, {{2027, 1, 1, 22, 59, 59}, false}, {{2027, 1, 1, 23, 0, 1}, true},
        {{1601, 1, 1, 0, 0, 0}, true},      {{1979, 12, 31, 23, 59, 59}, true}, {{1980, 1, 1, 0, 0, 0}, false},
        {{30828, 9, 14, 2, 48, 5}, true},   {{}, true},                         {{2026, 2, 30, 8, 0, 0}, false},
    };
    for (const auto& row : rows) {
        const RunTime named = RunTimeOrKeptTime(row.written, kept);
        EXPECT_TRUE(named == (row.kept ? kept : row.written)) << RunTimeText(row.written);
    }
}

TEST(HistoryTest, SameRunHasSameFilesWithSameSizes)
{
    const std::vector<RunFile> run = {{"VIN.DAT", 4}, {"DTC.DAT", 7}};
    using Pairs = std::optional<std::vector<size_t>>;
    const struct { const char* what; std::vector<RunFile> other; Pairs pairs; } rows[] = {
        {"same files in another order and case", {{"dtc.dat", 7}, {"VIN.DAT", 4}}, std::vector<size_t>{1, 0}},
        {"one size differs", {{"VIN.DAT", 4}, {"DTC.DAT", 8}}, std::nullopt},
        {"a file more", {{"VIN.DAT", 4}, {"DTC.DAT", 7}, {"CDS.DAT", 0}}, std::nullopt},
        {"a file less", {{"VIN.DAT", 4}}, std::nullopt},
        {"another file of the same size", {{"VIN.DAT", 4}, {"CDS.DAT", 7}}, std::nullopt},
        {"files more that are no reports", {{"desktop.ini", 9}, {"VIN.DAT", 4}, {"photo.jpg", 7}, {"DTC.DAT", 7}}, std::vector<size_t>{1, 3}},
        {"no report but a file of its name", {{"VIN.DAT", 4}, {"DTC.DAT.bak", 7}}, std::nullopt},
    };
    for (const auto& row : rows) EXPECT_EQ(row.pairs, PairedFiles(run, row.other)) << row.what;
}

// A deleted run is met again only with the same report files, sizes and bytes; other files and
// the folder's order and case do not count.
TEST(HistoryTest, DeletedRunIsKnownByItsReports)
{
    const std::vector<ReportPrint> deleted = {{"VIN.DAT", 19, 0x1234}, {"DTC.DAT", 7, 0xABCDEF0123456789ull}};
    const std::string note = std::string(kDeletedRunsHeading) + "CDS.DAT 5 0000000000000001\r\n" + DeletedRunLine(deleted) + "\r\n";
    EXPECT_EQ("DTC.DAT 7 ABCDEF0123456789; VIN.DAT 19 0000000000001234", DeletedRunLine(deleted));
    const struct { const char* what; std::vector<ReportPrint> run; bool deleted; } rows[] = {
        {"the same", {{"dtc.dat", 7, 0xABCDEF0123456789ull}, {"VIN.DAT", 19, 0x1234}, {"desktop.ini", 3, 1}}, true},
        {"another hash", {{"DTC.DAT", 7, 0xABCDEF0123456788ull}, {"VIN.DAT", 19, 0x1234}}, false},
        {"another size", {{"DTC.DAT", 8, 0xABCDEF0123456789ull}, {"VIN.DAT", 19, 0x1234}}, false},
        {"a report less", {{"VIN.DAT", 19, 0x1234}}, false},
        {"a report more", {{"DTC.DAT", 7, 0xABCDEF0123456789ull}, {"VIN.DAT", 19, 0x1234}, {"CDS.DAT", 5, 1}}, false},
        {"the other line", {{"CDS.DAT", 5, 1}}, true},
        {"no report", {{"desktop.ini", 3, 1}}, false},
    };
    for (const auto& row : rows) EXPECT_EQ(row.deleted, WasDeleted(row.run, note)) << row.what;
    ReportHash hash;
    hash.Add("a", 1);
    EXPECT_EQ(0xAF63DC4C8601EC8Cull, hash.Value());  // FNV-1a 64 of "a": the same in every version
}

// Only a folder of this computer whose process is gone is removed: the name must read back.
// Earlier versions named theirs after the keeping thread alone.
TEST(HistoryTest, KeepingFolderNamesItsComputerAndProcess)
{
    EXPECT_EQ(CString("~keeping WORKSHOP-PC 4242"), KeepingFolderName("WORKSHOP-PC", 4242));
    const struct { const char* name; bool read; const char* computer; unsigned long id; long long earlier; } rows[] = {
        {"~keeping WORKSHOP-PC 4242", true, "WORKSHOP-PC", 4242, -1}, {"~keeping A B 7", true, "A B", 7, -1},
        {"~keeping PC 4294967295", true, "PC", 4294967295ul, -1},     {"~keeping PC 4294967296", false, "", 0, -1},
        {"~keeping 4242", false, "", 0, 4242},                        {"~keeping PC 42x", false, "", 0, -1},
        {"~keeping PC ", false, "", 0, -1},                           {"LSVAU2180N2183294", false, "", 0, -1},
        {"~keeping 4294967296", false, "", 0, -1},                    {"~keeping ", false, "", 0, -1},
        {"keeping 12", false, "", 0, -1},
    };
    for (const auto& row : rows) {
        CString computer;
        unsigned long id = 0, thread = 0;
        EXPECT_EQ(row.read, ParseKeepingFolderName(row.name, computer, id)) << row.name;
        EXPECT_TRUE(!row.read || (computer == row.computer && id == row.id)) << row.name;
        EXPECT_EQ(row.earlier >= 0, ParseEarlierKeepingFolderName(row.name, thread)) << row.name;
        EXPECT_TRUE(row.earlier < 0 || static_cast<long long>(thread) == row.earlier) << row.name;
    }
}

TEST(HistoryTest, LeftoverKeepingIsRemovedByItsComputerOrWhenADayOld)
{
    constexpr long long kDay = kOtherComputersLeftoverSeconds;
    const struct { const char* name; long long age; Leftover leftover; } rows[] = {
        {"~keeping BAY-1 42", 0, Leftover::OwnIfProcessGone},   {"~keeping bay-1 42", 2 * kDay, Leftover::OwnIfProcessGone},
        {"~keeping OFFICE 42", kDay - 1, Leftover::LeftAlone}, {"~keeping OFFICE 42", kDay, Leftover::Removed},
        {"~keeping OFFICE 42", -kDay, Leftover::LeftAlone},    {"~keeping 42", 9 * kDay, Leftover::LeftAlone},
        {"LSVAU2180N2183294", 9 * kDay, Leftover::LeftAlone},
    };
    for (const auto& row : rows) {
        unsigned long id = 0;
        EXPECT_EQ(row.leftover, LeftoverOf(row.name, "BAY-1", row.age, id)) << row.name << " " << row.age;
    }
}

// A run leaves the outbox only once the history holds it, or chose not to; a history gone
// again holds the rest back.
TEST(HistoryTest, OutboxRunLeavesOnlyOnceTheHistoryHoldsIt)
{
    using Result = KeepOutcome::Result;
    const struct { Result result; bool reachable; OutboxStep step; } rows[] = {
        {Result::Kept, true, OutboxStep::Remove},         {Result::AlreadyKept, true, OutboxStep::Remove},
        {Result::Deleted, true, OutboxStep::Remove},      {Result::Kept, false, OutboxStep::Remove},
        {Result::Failed, true, OutboxStep::Leave},        {Result::Failed, false, OutboxStep::LeaveAll},
        {Result::Busy, true, OutboxStep::Leave},          {Result::NothingToKeep, true, OutboxStep::Leave},
        {Result::Stopped, true, OutboxStep::LeaveAll},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.step, AfterSharing(row.result, row.reachable)) << static_cast<int>(row.result) << " " << row.reachable;
}

// A shown run deleted here is left quietly; one the list read from its own folder lacks was
// deleted elsewhere; an unread list says nothing.
TEST(HistoryTest, ShownRunIsGoneWhenDeletedHereOrItsFolderListsItNoMore)
{
    std::vector<KeptRun> runs(2);
    runs[0].vinFolder = "VIN1", runs[0].runFolder = "2026-01-02 030405";
    runs[1].vinFolder = "VIN2", runs[1].runFolder = "2026-01-02 030405", runs[1].waitingIn = "C:\\Outbox";
    const std::vector<CString> deletedHere = {"S:\\H\\VIN4\\2026-01-02 030405"};
    using Fate = ShownRunFate;
    const struct { const char* shown; bool read; Fate fate; } rows[] = {
        {"S:\\H\\VIN1\\2026-01-02 030405", true, Fate::StillKept}, {"s:\\h\\vin1\\2026-01-02 030405", true, Fate::StillKept},
        {"S:\\H\\VIN2\\2026-01-02 030405", true, Fate::DeletedElsewhere}, {"C:\\Outbox\\VIN2\\2026-01-02 030405", true, Fate::StillKept},
        {"S:\\Old\\VIN3\\2026-01-02 030405", true, Fate::StillKept}, {"S:\\H", true, Fate::StillKept},
        {"s:\\h\\VIN4\\2026-01-02 030405", true, Fate::DeletedHere}, {"S:\\H\\VIN4\\2026-01-02 030405", false, Fate::DeletedHere},
        {"S:\\H\\VIN2\\2026-01-02 030405", false, Fate::StillKept},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.fate, FateOfShownRun(row.shown, "S:\\H", row.read ? &runs : nullptr, deletedHere)) << row.shown << " " << row.read;
}

TEST(HistoryTest, ListFiltersByPartOfVinOrTroubleCodeAndSorts)
{
    const std::vector<KeptRun> runs = {
        {"LSVAU2180N2183294", "2026-12-01 08-00-00", {}, "DTC", " P0301 P0171 P0420"},
        {"WDB2030461A123456", "2026-12-08 09-00-00", {}, "CDS DTC", " P0420"},
        {"LSVAU2180N2183294", "2026-12-05 08-00-00", {}, "DTC", {}},
        {"\xB2\xE2\x41", "2026-11-01 08-00-00", {}, "", {}},
        {"renamed", "2026-10-01 08-00-00", {}, "", {}, "LSVAU2180N2183294"},
    };
    const struct { const char* filter; HistoryColumn column; bool ascending; std::vector<size_t> listed; } rows[] = {
        {"", HistoryColumn::Time, false, {1, 2, 0, 3, 4}},
        {"au2", HistoryColumn::Time, false, {2, 0, 4}},
        {"1a1", HistoryColumn::Time, false, {1}},
        {"\xE2\x41", HistoryColumn::Time, false, {}},
        {"renamed", HistoryColumn::Time, false, {}},  // the VIN shown, not the folder's name
        {"2183", HistoryColumn::Time, false, {2, 0, 4}},
        {"\xE2", HistoryColumn::Time, false, {}},
        {"\x41", HistoryColumn::Time, false, {1, 2, 0, 3, 4}},
        {"p0171", HistoryColumn::Time, false, {0}},  // by trouble code, or the start of one
        {"P04", HistoryColumn::Time, false, {1, 0}},
        {"0171", HistoryColumn::Time, false, {}},
        {"", HistoryColumn::Vin, true, {2, 0, 4, 1, 3}},
        {"", HistoryColumn::Codes, false, {0, 1, 2, 3, 4}},  // by how many, the most first
        {"", HistoryColumn::Codes, true, {2, 3, 4, 1, 0}},
        {"", HistoryColumn::Time, true, {4, 3, 0, 2, 1}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.listed, ListedRuns(runs, row.filter, row.column, row.ascending)) << Escaped(row.filter);
    // A job card's fields are found too, and its plate sorts.
    std::vector<KeptRun> withJob = runs;
    withJob[3].plate = "B 7";
    withJob[3].jobKeys = "\nb 7\nann";
    EXPECT_EQ((std::vector<size_t>{3}), ListedRuns(withJob, "AN", HistoryColumn::Time, false));
    EXPECT_EQ((std::vector<size_t>{1, 2, 0, 4, 3}), ListedRuns(withJob, "", HistoryColumn::Plate, true));
}

// The runs listed before their codes were read take them when they come; one deleted meanwhile
// stays deleted, and one the read did not see keeps what it had. A run whose report could not be
// read is not known to have no codes: it is neither taken nor known for the next read.
TEST(HistoryTest, ListedRunsTakeTheirCodesWhenRead)
{
    const auto run = [](const char* vin, const char* codes, bool read) {
        return KeptRun{vin, "2026-12-01 08-00-00", {}, {}, codes, {}, read};
    };
    std::vector<KeptRun> listed = {run("A", "", false), run("B", " P0420", true), run("D", "", false)};
    const std::vector<KeptRun> read = {run("A", " P0301", true), run("C", " P0171", true), run("D", "", false)};
    TakeCodes(listed, read);
    ASSERT_EQ(3u, listed.size());
    EXPECT_EQ(CString(" P0301"), listed[0].codes);
    EXPECT_EQ(CString(" P0420"), listed[1].codes);
    EXPECT_TRUE(listed[0].codesRead && listed[1].codesRead && !listed[2].codesRead);
    EXPECT_EQ(nullptr, CodesByRun(read).ReadBefore(read[2]));
}

// Rows: the runs selected, or one run with "previous"; the pair compared as "before after", or "-".
TEST(HistoryTest, ComparesTwoRunsOfOneVin)
{
    auto run = [](const char* vin, const char* time) { return KeptRun{vin, time, {}, {}, {}}; };
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
