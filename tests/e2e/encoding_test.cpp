// Reports in any encoding: each file read as its bytes say, shown and copied as characters,
// whatever the system's code page.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/e2e/RunningProgram.h"
#include "tests/e2e/UserInput.h"

namespace e2e {
namespace {

// "故障码 P0301" (trouble code) in GBK, in UTF-8, and as characters.
constexpr const char* kGbk = "\xB9\xCA\xD5\xCF\xC2\xEB P0301\r\n";
constexpr const char* kUtf8 = "\xE6\x95\x85\xE9\x9A\x9C\xE7\xA0\x81 P0301\r\n";
constexpr const wchar_t* kShown = L"\x6545\x969C\x7801 P0301";

class Encodings : public RunningProgram {
protected:
    static std::wstring Characters(const MardelloSession& session)
    {
        return RichEditCharacters(session.Dialog(), IDC_RICHEDIT_REPORT).value_or(L"<unreadable>");
    }
    ::testing::AssertionResult Shows(const std::wstring& characters, const MardelloSession* session = nullptr) const
    {
        const MardelloSession& shown = session ? *session : m_session;
        if (WaitUntil([&] { return Characters(shown) == characters; })) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the viewer holds " << ::testing::PrintToString(Characters(shown));
    }
};

// Started as on a Western Windows, the device's GBK report shows and copies its Chinese characters.
TEST_F(Encodings, GbkReportOnAWesternSystem)
{
    m_device.Write("DTC.DAT", kGbk);
    PlugIn();
    ASSERT_TRUE(m_session.Start("C:\\mardello-e2e", "C"));
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE));
    EXPECT_TRUE(Shows(std::wstring(L"\r") + kShown));
    SaveScreenshot(m_session.Dialog(), "viewer-western-gbk");

    const DWORD before = GetClipboardSequenceNumber();
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_COPY));
    ASSERT_TRUE(WaitForClipboardChange(before));
    const std::string block = ReadClipboardBlock(CF_UNICODETEXT).value_or("");
    const std::wstring copied(reinterpret_cast<const wchar_t*>(block.data()), block.size() / sizeof(wchar_t));
    EXPECT_EQ(std::wstring(L"\r\n") + kShown, copied.substr(0, copied.find(L'\0')));
}

// A UTF-8 report with its mark and one without, beside a GBK one, on the Chinese system.
TEST_F(Encodings, EachReportInItsOwnEncoding)
{
    m_device.Write("DTC.DAT", std::string("\xEF\xBB\xBF") + kUtf8);
    m_device.Write("CDS.DAT", kUtf8);
    m_device.Write("FROZEN.DAT", kGbk);
    StartWithDevice();
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_PRINT_ALL));
    const std::wstring line = std::wstring(L"\r") + kShown + L"\r";
    EXPECT_TRUE(Shows(line + line + line));
}

// The viewer menu's Western choice reads the bytes as Windows-1252 at once and at the next start;
// Automatic reads them as GBK again.
TEST_F(Encodings, WesternChoiceIsKept)
{
    m_device.Write("DTC.DAT", kGbk);
    StartWithDevice();
    const auto showAndChoose = [](MardelloSession& session, const char* letter) {
        ASSERT_TRUE(ClickButton(session.Dialog(), IDC_BTN_TROUBLE_CODE));
        RECT viewer;
        GetWindowRect(session.Control(IDC_RICHEDIT_REPORT), &viewer);
        ASSERT_TRUE(MouseClickAt({viewer.left + 20, viewer.top + 10}));
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == session.Dialog(); }));
        ASSERT_TRUE(PressKeys("shift+F10"));
        ASSERT_TRUE(WaitForVisibleWindow(session.Process().Id(), "#32768"));
        ASSERT_TRUE(PressKeys("e"));
        ASSERT_TRUE(PressKeys(letter));
    };
    const std::wstring western = L"\r\x00B9\x00CA\x00D5\x00CF\x00C2\x00EB P0301";
    showAndChoose(m_session, "w");
    EXPECT_TRUE(Shows(western));
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_EXIT));
    ASSERT_TRUE(m_session.Process().WaitForExit(20000, nullptr));

    MardelloSession again;
    ASSERT_TRUE(again.Start());
    ASSERT_TRUE(ClickButton(again.Dialog(), IDC_BTN_TROUBLE_CODE));
    EXPECT_TRUE(Shows(western, &again));
    showAndChoose(again, "a");
    EXPECT_TRUE(Shows(std::wstring(L"\r") + kShown, &again));
    ASSERT_TRUE(ClickButton(again.Dialog(), IDC_BTN_EXIT));
    ASSERT_TRUE(again.Process().WaitForExit(20000, nullptr));
}

}  // namespace
}  // namespace e2e
