#include <gtest/gtest.h>

#include <string>

#include "jobcard/JobCardFile.h"
#include "jobcard/JobCardText.h"
#include "tests/unit/test_support.h"

using namespace std::string_literals;

namespace {

JobCardRead Read(const std::string& bytes) { return ReadJobCard(bytes.data(), bytes.size()); }

std::string Repeated(const std::string& text, int times)
{
    std::string repeated;
    while (times-- > 0) repeated += text;
    return repeated;
}

JobCard Card(const std::string& plate, const std::string& mileage = "", MileageUnit unit = MileageUnit::Km,
             const std::string& customer = "", const std::string& job = "", const std::string& notes = "")
{
    return {CString(plate), CString(mileage), unit, CString(customer), CString(job), CString(notes)};
}

const char kChinesePlate[] = "\xE7\xB2\xA4" "B12345";      // 粤B12345
const char kChineseName[] = "\xE5\xBC\xA0\xE4\xB8\x89";   // 张三
const char kReplaced[] = "\xEF\xBF\xBD";

TEST(JobCardTest, ReadsWhatItCanAndSaysTheRest)
{
    const struct {
        std::string file;
        JobCard card;
        unsigned trouble;
    } rows[] = {
        {"\xEF\xBB\xBFPlate: "s + kChinesePlate + "\r\nMileage: 45,000 km\r\nCustomer: " + kChineseName +
             "\r\nJob number: J-17\r\nNotes:\r\nBrakes\r\n\r\nclutch\r\n",
         Card(kChinesePlate, "45000", MileageUnit::Km, kChineseName, "J-17", "Brakes\r\n\r\nclutch"), kJobCardFine},
        {"plate:AB 1\nMILEAGE: 0120 mi\nNotes: first\nsecond\n\n", Card("AB 1", "120", MileageUnit::Mi, "", "", "first\r\nsecond"), kJobCardFine},
        {"Customer: X\rJob number: 9\r", Card("", "", MileageUnit::Km, "X", "9"), kJobCardFine},
        {"", Card(""), kJobCardFine},
        {"Colour: red\r\nPlate: P\r\nhello\r\n", Card("P"), kJobCardUnknownLines},
        {"Plate: A\xFF" "B\xC0\xAF\xED\xA0\x80\xE0\x80\x80\r\nNotes:\r\n\x00\x01z"s,
         Card("A"s + kReplaced + "B" + Repeated(kReplaced, 8), "", MileageUnit::Km, "", "",
              kReplaced + std::string(kReplaced) + "z"),
         kJobCardNotUtf8},
        {"Plate: " + std::string(21, 'W') + "\r\nJob number: " + std::string(14, '\xE4') + "\r\n",
         Card(std::string(20, 'W'), "", MileageUnit::Km, "", Repeated(kReplaced, 14)), kJobCardCut | kJobCardNotUtf8},
        {"Plate: \xF0\x9F\x9A\x97" + std::string(19, 'x'), Card("\xF0\x9F\x9A\x97" + std::string(18, 'x')), kJobCardCut},
        {"Mileage: lots\r\n", Card(""), kJobCardBadMileage},
        {"Mileage: 12 leagues\r\n", Card("", "12"), kJobCardBadMileage},
        {"Mileage: 1234567890\r\n", Card(""), kJobCardBadMileage},
    };
    for (const auto& row : rows) {
        const JobCardRead read = Read(row.file);
        EXPECT_TRUE(read.card == row.card) << Escaped(row.file) << " plate " << Escaped(read.card.plate.Bytes())
                                           << " notes " << Escaped(read.card.notes.Bytes());
        EXPECT_EQ(row.trouble, read.trouble) << Escaped(row.file);
    }
    EXPECT_EQ(CString(), JobCardTroubleText(kJobCardFine));
    EXPECT_NE(CString(), JobCardTroubleText(kJobCardNotUtf8));
}

// A huge file gives the notes the window holds and says there was more; so does a file read in part.
TEST(JobCardTest, HugeFileGivesTheNotesTheWindowHolds)
{
    std::string huge = "Plate: P\r\nNotes:\r\n";
    while (huge.size() < 10u << 20) huge += std::string(99, 'n') + "\r\n";
    const JobCardRead read = Read(huge);
    EXPECT_EQ(kJobCardCut, read.trouble);
    EXPECT_EQ(CString("P"), read.card.plate);
    EXPECT_EQ(kNotesMaxLength, read.card.notes.GetLength());  // 39 lines and the start of the 40th
    EXPECT_EQ(kJobCardCut, ReadJobCard("Plate: P", 8, false).trouble);
}

TEST(JobCardTest, WrittenCardReadsBackTheSame)
{
    const JobCard cards[] = {
        {},
        Card(kChinesePlate, "987654321", MileageUnit::Mi, kChineseName, "Job: 1", "Notes:\r\nPlate: not a field\r\n  indented"),
        Card("", "5", MileageUnit::Km, "", "", std::string(kNotesMaxLength, 'x')),
    };
    for (const JobCard& card : cards) {
        const CString file = JobCardFileText(card);
        const JobCardRead read = Read(file.Bytes());
        EXPECT_TRUE(read.card == card) << Escaped(file.Bytes());
        EXPECT_EQ(kJobCardFine, read.trouble) << Escaped(file.Bytes());
    }
    // A single-line field never breaks the file's lines.
    const JobCard pasted = Card("A\r\nNotes: B");
    EXPECT_EQ(CString("A  Notes: B"), Read(JobCardFileText(pasted).Bytes()).card.plate);
}

TEST(JobCardTest, JobLinesNameTheFieldsSet)
{
    const JobCard full = Card("B 1", "45000", MileageUnit::Mi, "Ann", "J-17", "Wipers");
    const JobCard plateOnly = Card("B 1");
    EXPECT_EQ(CString("Plate: B 1   Mileage: 45000 mi   Customer: Ann   Job: J-17"), JobLine(full));
    EXPECT_EQ(CString("job J-17, 45000 mi"), JobVisit(full));
    EXPECT_EQ(CString(), JobVisit(plateOnly));
    EXPECT_EQ(CString("Plate: B 1   Mileage: 45000 mi   Customer: Ann   Job: J-17\r\rP0301\r\rNotes\rWipers\r"),
              WithJobCard("P0301", full));
    const JobCard twoLines = Card("", "", MileageUnit::Km, "", "", "a\r\nb");
    EXPECT_EQ(CString("P0301\r\rNotes\ra\rb\r"), WithJobNotes("P0301\r", twoLines));
    EXPECT_EQ(CString("P0301"), WithJobCard("P0301", JobCard()));
}

TEST(JobCardTest, FilterFindsAFieldByItsStartInAnyCase)
{
    const CString keys = JobFilterKeys(Card("Ab 12", "70", MileageUnit::Km, kChineseName, "J-17", "notes"));
    const struct { const char* filter; bool found; } rows[] = {
        {"ab", true}, {"AB 1", true}, {"\xE5\xBC\xA0", true}, {"j-17", true}, {"b 12", false},
        {"17", false}, {"70", false}, {"notes", false}, {"", false}, {"ab 123", false},
    };
    for (const auto& row : rows) EXPECT_EQ(row.found, JobKeysMatch(keys, row.filter)) << row.filter;
}

}  // namespace
