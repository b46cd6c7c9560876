// Reading the clipboard must give the CF_TEXT bytes exactly, wait out a brief holder, and
// tell "nothing there" apart from "empty text".

#include "tests/e2e/harness/Clipboard.h"

#include <gtest/gtest.h>

#include <thread>

namespace e2e {
namespace {

using namespace std::string_literals;

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
    HWND holderWindow = nullptr;
    std::thread holder([opened, &holderWindow] {
        // Held through a window: Wine lets a second thread open a clipboard opened without one.
        holderWindow = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        OpenClipboard(holderWindow);
        SetEvent(opened);
        // Stands for another program that is busy with the clipboard for a while.
        Sleep(300);
        CloseClipboard();
        DestroyWindow(holderWindow);
    });
    WaitForSingleObject(opened, INFINITE);
    const bool held = GetOpenClipboardWindow() == holderWindow && holderWindow;
    const auto text = ReadClipboardText();
    holder.join();
    CloseHandle(opened);
    ASSERT_TRUE(held) << "the clipboard was not held, so there was nothing to wait for";
    EXPECT_EQ(text, "held"s);
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
