#include <gtest/gtest.h>

#include "history/RunsDeletedWhileRead.h"
#include "history/HistoryRows.h"

namespace {

TEST(HistoryRowsTest, CountsTheCodesOfARun)
{
    const struct { const char* codes; int count; } rows[] = {{"", 0}, {" P0301", 1}, {" P0301 P0171 P0420", 3}, {"P0301  U0100 ", 2}};
    for (const auto& row : rows) EXPECT_EQ(row.count, CodeCount(row.codes)) << row.codes;
}

// Rows: how many rows, those deleted, the row selected afterwards.
TEST(HistoryRowsTest, SelectsTheRowAfterTheLastDeleted)
{
    const struct { int rows; std::vector<int> deleted; int selected; } rows[] = {
        {5, {1, 2}, 1}, {5, {2, 0}, 1}, {5, {0, 4}, 2}, {5, {3, 4}, 2}, {3, {2}, 1}, {2, {0, 1}, -1}, {4, {1, 1}, 1},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.selected, RowAfterDeleting(row.rows, row.deleted)) << row.rows << " rows, first deleted " << row.deleted[0];
}

// A list read before a deletion arrives without the runs deleted; one read after it is taken as it is.
TEST(HistoryRowsTest, ListReadBeforeADeletionDoesNotBringItBack)
{
    const auto run = [](const char* vin, const char* time) { return KeptRun{vin, time, {}, {}, {}}; };
    RunsDeletedWhileRead deleted;
    deleted.Deleted({run("A", "1"), run("B", "2")});
    std::vector<KeptRun> read = {run("A", "1"), run("A", "2"), run("B", "2"), run("C", "1")};
    deleted.DropFrom(read);
    ASSERT_EQ(2u, read.size());
    EXPECT_TRUE(read[0].IsSameFolder(run("A", "2")) && read[1].IsSameFolder(run("C", "1")));
    deleted.ReadStarted();
    read = {run("A", "1")};
    deleted.DropFrom(read);
    EXPECT_EQ(1u, read.size());
}

}  // namespace
