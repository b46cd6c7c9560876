// Reading the clipboard must give the CF_TEXT bytes exactly, wait out a brief holder, and
// tell "nothing there" apart from "empty text".

#include "tests/e2e/harness/Clipboard.h"

#include <gtest/gtest.h>

#include <thread>

namespace e2e {
namespace {

TEST(Clipboard, TextComesBackByteForByte)
{
    const std::string rows[] = {
        "plain",
        "two\r\nlines\r\n",
        "\xd6\xd0\xce\xc4 GBK",  // bytes of code page 936, not to be converted
        "",
    };
    for (const auto& text : rows) {
        SCOPED_TRACE("text \"" + text + "\"");
        ASSERT_TRUE(WriteClipboardText(text));
        EXPECT_EQ(ReadClipboardText(), text);
    }
}

TEST(Clipboard, NoTextIsNotEmptyText)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(ReadClipboardText(), std::nullopt);
}

TEST(Clipboard, WaitsWhileAnotherWindowHoldsIt)
{
    ASSERT_TRUE(WriteClipboardText("held"));
    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([opened] {
        OpenClipboard(nullptr);
        SetEvent(opened);
        // Stands for another program that is busy with the clipboard for a while.
        Sleep(300);
        CloseClipboard();
    });
    WaitForSingleObject(opened, INFINITE);
    EXPECT_EQ(ReadClipboardText(), "held");
    holder.join();
    CloseHandle(opened);
}

TEST(Clipboard, SeesAChange)
{
    const DWORD before = GetClipboardSequenceNumber();
    EXPECT_FALSE(WaitForClipboardChange(before, 50));
    ASSERT_TRUE(WriteClipboardText("changed"));
    EXPECT_TRUE(WaitForClipboardChange(before, 1000));
}

}  // namespace
}  // namespace e2e
