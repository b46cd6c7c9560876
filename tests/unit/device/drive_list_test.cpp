#include "device/DriveList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tests/unit/test_support.h"

using namespace std::string_literals;

namespace {

// The list in a heap block of exactly its size, so AddressSanitizer reports any read past it.
std::vector<CString> RootsOfExactBuffer(const std::string& list)
{
    std::unique_ptr<char[]> buffer(new char[list.size()]);
    std::copy(list.begin(), list.end(), buffer.get());
    return DriveRoots(buffer.get(), list.size());
}

std::string AllDriveLetters()
{
    std::string list;
    for (char letter = 'A'; letter <= 'Z'; ++letter) list += std::string(1, letter) + ":\\" + '\0';
    return list + '\0';
}

std::vector<std::string> AllDriveRoots()
{
    std::vector<std::string> roots;
    for (char letter = 'A'; letter <= 'Z'; ++letter) roots.push_back(std::string(1, letter) + ":\\");
    return roots;
}

TEST(DriveListTest, WalksRootsUntilEmptyString)
{
    struct Row {
        const char* what;
        std::string list;
        std::vector<std::string> roots;
    };
    const std::vector<std::string> all = AllDriveRoots();
    const std::vector<std::string> first25(all.begin(), all.begin() + 25);
    const Row rows[] = {
        {"two roots", "C:\\\0E:\\\0\0"s, {"C:\\", "E:\\"}},
        {"one root", "E:\\\0\0"s, {"E:\\"}},
        {"empty list", "\0"s, {}},
        {"zero-filled buffer", std::string(100, '\0'), {}},
        {"nothing after the closing empty string is read", "C:\\\0\0E:\\\0\0"s, {"C:\\"}},
        {"zero padding after the list", "C:\\\0D:\\\0\0"s + std::string(90, '\0'), {"C:\\", "D:\\"}},
        {"a mounted folder as root", "C:\\\0C:\\mnt\\usb\\\0\0"s, {"C:\\", "C:\\mnt\\usb\\"}},
        {"26 roots, more than 100 bytes", AllDriveLetters(), all},
        {"buffer ends right after a root's NUL, no closing string", "C:\\\0E:\\\0"s, {"C:\\", "E:\\"}},
        {"unterminated last string is no root", "C:\\\0E:\\"s, {"C:\\"}},
        {"unterminated single string", "C:\\"s, {}},
        {"empty buffer", ""s, {}},
        // 25 whole roots fill 100 bytes exactly; the 26th and the closing string are cut off.
        {"list cut off by a 100-byte buffer", AllDriveLetters().substr(0, 100), first25},
        {"list cut off inside a root", AllDriveLetters().substr(0, 98), std::vector<std::string>(all.begin(), all.begin() + 24)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.what) + ": " + Escaped(row.list));
        EXPECT_EQ(Texts(row.roots), RootsOfExactBuffer(row.list));
    }
}

TEST(DriveListTest, NullListHasNoRoots)
{
    EXPECT_TRUE(DriveRoots(nullptr, 0).empty());
    EXPECT_TRUE(DriveRoots(nullptr, 100).empty());
}

TEST(DriveListTest, SizeBoundsTheWalk)
{
    const std::string list = "C:\\\0E:\\\0\0"s;
    struct Row {
        size_t size;
        std::vector<std::string> roots;
    };
    const Row rows[] = {
        {0, {}}, {3, {}}, {4, {"C:\\"}}, {7, {"C:\\"}}, {8, {"C:\\", "E:\\"}}, {9, {"C:\\", "E:\\"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("size " + std::to_string(row.size));
        EXPECT_EQ(Texts(row.roots), RootsOfExactBuffer(list.substr(0, row.size)));
    }
}

TEST(DriveListTest, DrivePrefix)
{
    struct Row {
        const char* root;
        const char* prefix;
    };
    const Row rows[] = {
        {"E:\\", "E:"},
        {"C:\\", "C:"},
        {"C:\\mnt\\usb\\", "C:\\mnt\\usb"},
        {"C:\\mnt\\usb", "C:\\mnt"},
        {"E:", "E:"},   // no backslash: the whole root
        {"", ""},
        {"\\", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(Escaped(row.root));
        EXPECT_EQ(CString(row.prefix), DrivePrefix(CString(row.root)));
    }
}

TEST(DriveListTest, FolderNameMatchesIgnoringCase)
{
    struct Row {
        std::string name;
        bool matches;
    };
    const Row rows[] = {
        {"PRINT", true},  {"print", true},  {"Print", true},  {"pRiNt", true},
        {"PRINTS", false}, {"PRIN", false}, {"", false},      {" PRINT", false},
        {"PRINT ", false}, {"PR1NT", false}, {".", false},     {"..", false},
        {"\xB0\xA1PRINT", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(Escaped(row.name));
        EXPECT_EQ(row.matches, IsFolderNamed(CString(row.name), "PRINT"));
    }
}

}  // namespace
