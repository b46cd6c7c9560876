// Reports in any encoding: each file read as its bytes say, shown and copied as characters.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/e2e/RunningProgram.h"
#include "tests/e2e/UserInput.h"

namespace e2e {
namespace {

// "故障码 P0301" (trouble code) in GBK, in UTF-8, and as shown.
constexpr const char* kGbk = "\xB9\xCA\xD5\xCF\xC2\xEB P0301\r\n";
constexpr const char* kUtf8 = "\xE6\x95\x85\xE9\x9A\x9C\xE7\xA0\x81 P0301\r\n";
const std::wstring kShown = L"\r\x6545\x969C\x7801 P0301";

::testing::AssertionResult ShowsCharacters(const MardelloSession& session, const std::wstring& characters)
{
    std::wstring shown;
    const auto read = [&] { return shown = RichEditCharacters(session.Dialog(), IDC_RICHEDIT_REPORT).value_or(L"?"); };
    if (WaitUntil([&] { return read() == characters; })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the viewer holds " << ::testing::PrintToString(shown);
}

using Encodings = RunningProgram;

// As on a Western Windows, the device's GBK report shows and copies its Chinese characters.
TEST_F(Encodings, GbkReportOnAWesternSystem)
{
    m_device.Write("DTC.DAT", kGbk);
    PlugIn();
    ASSERT_TRUE(m_session.Start("C:\\mardello-e2e", "C"));
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE));
    EXPECT_TRUE(ShowsCharacters(m_session, kShown));
    SaveScreenshot(m_session.Dialog(), "viewer-western-gbk");
    const DWORD before = GetClipboardSequenceNumber();
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_COPY));
    ASSERT_TRUE(WaitForClipboardChange(before));
    const std::string block = ReadClipboardBlock(CF_UNICODETEXT).value_or("");
    EXPECT_EQ(L"\r\n" + kShown.substr(1), std::wstring(reinterpret_cast<const wchar_t*>(block.c_str())));
}

// On the Chinese system: UTF-8 with and without a mark beside GBK; then the viewer menu's
// Western choice, at once and at the next start, and Automatic again.
TEST_F(Encodings, EachReportInItsOwnEncodingOrTheOneChosen)
{
    m_device.Write("DTC.DAT", std::string("\xEF\xBB\xBF") + kUtf8);
    m_device.Write("CDS.DAT", kUtf8);
    m_device.Write("FROZEN.DAT", kGbk);
    StartWithDevice();
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_PRINT_ALL));
    EXPECT_TRUE(ShowsCharacters(m_session, kShown + L"\r" + kShown + L"\r" + kShown + L"\r"));

    const auto chooseEncoding = [](MardelloSession& session, const char* letter) {
        ASSERT_TRUE(ClickButton(session.Dialog(), IDC_BTN_FROZEN_FRAME));
        RECT viewer;
        GetWindowRect(session.Control(IDC_RICHEDIT_REPORT), &viewer);
        ASSERT_TRUE(MouseClickAt({viewer.left + 20, viewer.top + 10}));
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == session.Dialog(); }));
        ASSERT_TRUE(PressKeys("shift+F10"));
        ASSERT_TRUE(WaitForVisibleWindow(session.Process().Id(), "#32768"));
        ASSERT_TRUE(PressKeys("e") && PressKeys(letter));
    };
    const std::wstring western = L"\r\x00B9\x00CA\x00D5\x00CF\x00C2\x00EB P0301";
    chooseEncoding(m_session, "w");
    EXPECT_TRUE(ShowsCharacters(m_session, western));
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_EXIT));
    ASSERT_TRUE(m_session.Process().WaitForExit(20000, nullptr));
    MardelloSession again;
    ASSERT_TRUE(again.Start());
    ASSERT_TRUE(ClickButton(again.Dialog(), IDC_BTN_FROZEN_FRAME));
    EXPECT_TRUE(ShowsCharacters(again, western));
    chooseEncoding(again, "a");
    EXPECT_TRUE(ShowsCharacters(again, kShown));
    ASSERT_TRUE(ClickButton(again.Dialog(), IDC_BTN_EXIT));
    ASSERT_TRUE(again.Process().WaitForExit(20000, nullptr));
}

}  // namespace
}  // namespace e2e
