// The device's reports in the VIN box and the report viewer, read back from the running program.
#include <gtest/gtest.h>
#include <windows.h>
#include <richedit.h>

#include <string>
#include <vector>

#include "tests/e2e/Scenario.h"

namespace e2e {
namespace {

const std::string kDtc = "DTC REPORT\r\n\r\nP0301\tMisfire\t  \r\n  \t \r\n\tP0171 Lean\t\r\n";
const std::vector<std::string> kDtcShown = {"DTC REPORT", "", "P0301    Misfire", "", "P0171 Lean"};
const std::string kCds = "Engine speed\t812\trpm\nCoolant\t88\tC";  // LF line ends, no final line end
const std::vector<std::string> kCdsShown = {"Engine speed    812    rpm", "Coolant    88    C"};
const std::string kFrozen = "FREEZE FRAME\r\nLoad\t41 %\r\n";
const std::vector<std::string> kFrozenShown = {"FREEZE FRAME", "Load    41 %"};

// A single view of lines A, B, C reads A, B, C: no empty first paragraph.
std::string SingleView(const std::vector<std::string>& shown) { return Paragraphs(shown); }

// The all-reports view closes each present section with an empty paragraph.
std::string AllView(const std::vector<std::vector<std::string>>& sections)
{
    std::vector<std::string> all;
    for (const auto& section : sections) {
        all.insert(all.end(), section.begin(), section.end());
        all.push_back("");
    }
    return Paragraphs(all);
}

class Reports : public Scenario {
protected:
    // The device as E:, the program started, and the view of `button`.
    void ShowWithDevice(int button)
    {
        StartWithDevice();
        ASSERT_TRUE(ClickButton(m_session.Dialog(), button));
    }
};

TEST_F(Reports, EachViewCommandShowsItsReports)
{
    m_device.Write("DTC.DAT", kDtc);
    m_device.Write("CDS.DAT", kCds);
    m_device.Write("FROZEN.DAT", kFrozen);
    StartWithDevice();
    Play({Expect(Shown::Viewer, "")});  // nothing is shown before a command
    const std::pair<int, std::string> views[] = {
        {IDC_BTN_TROUBLE_CODE, SingleView(kDtcShown)}, {IDC_BTN_LIVE_DATA, SingleView(kCdsShown)},
        {IDC_BTN_FROZEN_FRAME, SingleView(kFrozenShown)}, {IDC_BTN_PRINT_ALL, AllView({kDtcShown, kCdsShown, kFrozenShown})},
        {IDC_BTN_TROUBLE_CODE, SingleView(kDtcShown)},
    };
    for (const auto& [button, view] : views) {
        SCOPED_TRACE("button " + std::to_string(button));
        Play({Click(button), Expect(Shown::ActiveButton, button), Expect(Shown::Viewer, view)});
    }
}

TEST_F(Reports, MissingAndEmptyFilesInTheAllReportsView)
{
    m_device.Write("DTC.DAT", "");
    m_device.Write("FROZEN.DAT", kFrozen);
    ShowWithDevice(IDC_BTN_PRINT_ALL);
    EXPECT_EQ(AllView({{}, kFrozenShown}), Viewer()) << "an empty file adds its break, a missing one nothing";
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE));
    EXPECT_EQ("", Viewer()) << "an empty report leaves a single view empty";
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_LIVE_DATA));
    EXPECT_EQ("", Viewer()) << "a missing report leaves a single view empty";
}

TEST_F(Reports, ContentIsShownByteForByteAndNeverInterpreted)
{
    const std::string gbk = "\xB7\xA2\xB6\xAF\xBB\xFA\xD7\xAA\xCB\xD9\t812 rpm\xA1\xA1";  // ends in a full-width space
    m_device.Write("DTC.DAT", "{\\rtf1\\ansi {\\b bold}}\r\n" + gbk + "\r\n<b>not markup</b>\r\n");
    ShowWithDevice(IDC_BTN_TROUBLE_CODE);
    EXPECT_EQ(SingleView({"{\\rtf1\\ansi {\\b bold}}", "\xB7\xA2\xB6\xAF\xBB\xFA\xD7\xAA\xCB\xD9    812 rpm\xA1\xA1",
                          "<b>not markup</b>"}),
              Viewer());
}

TEST_F(Reports, LongVinIsShownWholeAndTypedVinIsReplacedByAViewCommand)
{
    const std::string longVin = "LSVAU2180N2183294-EXTRA ";
    m_device.Write("VIN.DAT", longVin + "\r\nsecond line is not read\r\n");
    StartWithDevice();
    Play({
        Expect(Shown::Vin, longVin),  // the first line exactly as read
        Type(IDC_EDIT_VIN, "TYPED"), Expect(Shown::Vin, "TYPED"),
        Click(IDC_BTN_LIVE_DATA), Expect(Shown::Vin, longVin),  // a view command puts the read VIN back
    });
}

bool ShowsAmber(HWND line)
{
    const auto picture = CaptureSettledWindow(line);
    return picture && std::any_of(picture->pixels.begin(), picture->pixels.end(), [](COLORREF c) {
               return GetRValue(c) > 200 && GetGValue(c) > 120 && GetGValue(c) < 210 && GetBValue(c) < 100;
           });
}

// The test device's VIN has a 0 where its check digit is X: a slip the line beside the status
// warns of, in amber, until the VIN is typed right. The line never changes the VIN box.
TEST_F(Reports, VinFactsFollowTheVinBox)
{
    StartWithDevice();
    Play({Expect(Shown::VinFacts, "Asia, China; model year 2022; check digit does not match: typing error?")});
    EXPECT_TRUE(ShowsAmber(m_session.Control(IDC_STATIC_VIN_FACTS)));
    Play({Type(IDC_EDIT_VIN, "LSVAU218XN2183294"), Expect(Shown::VinFacts, "Asia, China; model year 2022; check digit OK"),
          Expect(Shown::Vin, "LSVAU218XN2183294")});
    EXPECT_FALSE(ShowsAmber(m_session.Control(IDC_STATIC_VIN_FACTS)));
}

TEST_F(Reports, FileHeldOpenByAnotherProgramCountsAsMissing)
{
    m_device.Write("DTC.DAT", kDtc);
    m_device.Write("CDS.DAT", kCds);
    HANDLE held = CreateFileA(m_device.FilePath("DTC.DAT").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    ShowWithDevice(IDC_BTN_PRINT_ALL);
    EXPECT_EQ(AllView({kCdsShown}), Viewer());
    CloseHandle(held);
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE));
    EXPECT_EQ(SingleView(kDtcShown), Viewer()) << "once released it is read";
    // Another program sharing it as the history's keeping does: held for writing it is missing, only read it is shown.
    for (const auto& [access, shown] : {std::pair{DWORD{GENERIC_WRITE}, AllView({kCdsShown})}, {DWORD{GENERIC_READ}, AllView({kDtcShown, kCdsShown})}}) {
        held = CreateFileA(m_device.FilePath("DTC.DAT").c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_PRINT_ALL));
        EXPECT_EQ(shown, Viewer()) << "held for " << (access == GENERIC_READ ? "reading" : "writing");
        CloseHandle(held);
    }
}

TEST_F(Reports, WithoutADeviceTheCurrentDriveIsTried)
{
    struct RemoveAtEnd {
        ~RemoveAtEnd()
        {
            DeleteFileA("C:\\PRINT\\DTC.DAT");
            RemoveDirectoryA("C:\\PRINT");
        }
    } removeAtEnd;
    ASSERT_TRUE(CreateDirectoryA("C:\\PRINT", nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    HANDLE file = CreateFileA("C:\\PRINT\\DTC.DAT", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, kDtc.data(), static_cast<DWORD>(kDtc.size()), &written, nullptr);
    CloseHandle(file);

    ASSERT_TRUE(m_session.Start());
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE));
    EXPECT_EQ(kChecking, Status());
    EXPECT_EQ(SingleView(kDtcShown), Viewer());
}

TEST_F(Reports, FortyThousandLinesAreShownWhole)
{
    std::string report;
    std::vector<std::string> shown;
    for (int i = 0; i < 40000; ++i) {
        std::string line = "Line " + std::to_string(i) + "\tvalue " + std::to_string(i * 7 % 1000);
        report += line + "\r\n";
        shown.push_back("Line " + std::to_string(i) + "    value " + std::to_string(i * 7 % 1000));
    }
    m_device.Write("CDS.DAT", report);
    ShowWithDevice(IDC_BTN_LIVE_DATA);
    // Wine does not enforce the default limit of 32,767 characters, so the limit itself is checked too.
    EXPECT_GT(SendMessageA(m_session.Control(IDC_RICHEDIT_REPORT), EM_GETLIMITTEXT, 0, 0), 1 << 30);
    const std::string viewer = Viewer();
    EXPECT_GT(viewer.size(), 32767u * 20);
    EXPECT_TRUE(viewer == SingleView(shown)) << "the viewer holds " << viewer.size() << " bytes, its end: "
                                            << viewer.substr(viewer.size() > 80 ? viewer.size() - 80 : 0);
    // Scrolled to the end, where the last lines of the report are: the first line in view is
    // within a screenful of the last.
    const auto firstInView = [&] { return SendMessageA(m_session.Control(IDC_RICHEDIT_REPORT), EM_GETFIRSTVISIBLELINE, 0, 0); };
    EXPECT_TRUE(WaitUntil([&] { return firstInView() > 40000 - 100; })) << "first line in view: " << firstInView();
}

// A report longer than the box shows the scroll bar after every command, and every load draws
// its text in the same font. Esc in the viewer and Enter in the VIN box end nothing.
TEST_F(Reports, ViewerScrollsKeepsItsFontAndOutlivesEnterAndEsc)
{
    std::vector<std::string> shown;
    for (int i = 0; i < 60; ++i) shown.push_back("P0" + std::to_string(300 + i) + "    Misfire");
    m_device.Write("DTC.DAT", Paragraphs(shown));
    m_device.Write("CDS.DAT", Paragraphs(shown));
    m_device.Write("FROZEN.DAT", kFrozen);
    StartWithDevice();
    std::string ink;
    Play({
        Click(IDC_BTN_TROUBLE_CODE), Expect(Shown::ScrollBar, "drawn"), Same(Shown::ViewerInk, ink),
        Click(IDC_BTN_FROZEN_FRAME), Expect(Shown::ScrollBar, "none"),
        Click(IDC_BTN_LIVE_DATA), Expect(Shown::ScrollBar, "drawn"), Same(Shown::ViewerInk, ink),
        Click(IDC_BTN_TROUBLE_CODE), Expect(Shown::ScrollBar, "drawn"), Same(Shown::ViewerInk, ink),
        ClickInto(IDC_RICHEDIT_REPORT), Keys("Escape"), ClickInto(IDC_EDIT_VIN), Keys("Return"),
        Expect(Shown::Viewer, SingleView(shown)), Expect(Shown::Status, kReady),
    });
}

// A later command finds the viewer full. The viewer it leaves must be the same control to the
// user: class, ID, place, styles, font, tab position, no length limit, and plain text only.
TEST_F(Reports, LaterCommandsKeepTheViewerAsItWas)
{
    // What the user meets of the viewer, by name.
    const auto look = [&] {
        HWND viewer = m_session.Control(IDC_RICHEDIT_REPORT);
        RECT place{};
        GetWindowRect(viewer, &place);
        std::string order;
        for (HWND child = GetWindow(m_session.Dialog(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            order += std::to_string(GetDlgCtrlID(child)) + " ";
        return std::vector<std::pair<const char*, std::string>>{
            {"class", ClassOf(viewer)}, {"ID", std::to_string(GetDlgCtrlID(viewer))},
            {"style", std::to_string(GetWindowLongA(viewer, GWL_STYLE))},
            {"extended style", std::to_string(GetWindowLongA(viewer, GWL_EXSTYLE))},
            {"place", std::to_string(place.left) + "," + std::to_string(place.top) + "," + std::to_string(place.right) + "," +
                          std::to_string(place.bottom)},
            {"font", std::to_string(SendMessageA(viewer, WM_GETFONT, 0, 0))}, {"tab order", order}};
    };
    m_device.Write("DTC.DAT", "{\\rtf1\\ansi {\\b bold}}\r\n");
    m_device.Write("CDS.DAT", kCds);
    StartWithDevice();
    const auto first = look();
    for (int button : {IDC_BTN_LIVE_DATA, IDC_BTN_PRINT_ALL, IDC_BTN_TROUBLE_CODE}) {
        SCOPED_TRACE(button);
        ASSERT_TRUE(ClickButton(m_session.Dialog(), button));
        const auto now = look();
        for (size_t k = 0; k < first.size(); ++k) EXPECT_EQ(first[k].second, now[k].second) << first[k].first;
        HWND viewer = m_session.Control(IDC_RICHEDIT_REPORT);
        EXPECT_GT(SendMessageA(viewer, EM_GETLIMITTEXT, 0, 0), 1 << 30);
        EXPECT_EQ(TM_PLAINTEXT, SendMessageA(viewer, EM_GETTEXTMODE, 0, 0) & (TM_PLAINTEXT | TM_RICHTEXT));
    }
    EXPECT_EQ(SingleView({"{\\rtf1\\ansi {\\b bold}}"}), Viewer()) << "shown literally";
    SaveScreenshot(m_session.Dialog(), "viewer-after-three-commands");
}

// Reports in any encoding, read as their bytes say: "故障码 P0301" (trouble code) in GBK, in
// UTF-8, and as the viewer's characters.
constexpr const char* kGbk = "\xB9\xCA\xD5\xCF\xC2\xEB P0301\r\n";
constexpr const char* kUtf8 = "\xE6\x95\x85\xE9\x9A\x9C\xE7\xA0\x81 P0301\r\n";
const std::wstring kShown = L"\x6545\x969C\x7801 P0301";

::testing::AssertionResult ShowsCharacters(const MardelloSession& session, const std::wstring& characters)
{
    std::wstring shown;
    const auto read = [&] { return shown = RichEditCharacters(session.Dialog(), IDC_RICHEDIT_REPORT).value_or(L"?"); };
    if (WaitUntil([&] { return read() == characters; })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the viewer holds " << ::testing::PrintToString(shown);
}

// As on a Western Windows, the device's GBK report shows and copies its Chinese characters.
TEST_F(Reports, GbkReportOnAWesternSystem)
{
    m_device.Write("DTC.DAT", kGbk);
    PlugIn();
    ASSERT_TRUE(m_session.Start("C:\\mardello-e2e", "C"));
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE));
    EXPECT_TRUE(ShowsCharacters(m_session, kShown));
    Play({Copy()});
    const std::string block = ReadClipboardBlock(CF_UNICODETEXT).value_or("");
    EXPECT_EQ(kShown, std::wstring(reinterpret_cast<const wchar_t*>(block.c_str())));
}

// On the Chinese system: UTF-8 with and without a mark beside GBK; then the viewer menu's
// Western choice, at once; the next start reads as it found again.
TEST_F(Reports, EachReportInItsOwnEncodingOrTheOneChosen)
{
    m_device.Write("DTC.DAT", std::string("\xEF\xBB\xBF") + kUtf8);
    m_device.Write("CDS.DAT", kUtf8);
    m_device.Write("FROZEN.DAT", kGbk);
    StartWithDevice();
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_PRINT_ALL));
    EXPECT_TRUE(ShowsCharacters(m_session, kShown + L"\r\r" + kShown + L"\r\r" + kShown + L"\r"));
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_FROZEN_FRAME));
    RECT viewer;
    GetWindowRect(m_session.Control(IDC_RICHEDIT_REPORT), &viewer);
    ASSERT_TRUE(MouseClickAt({viewer.left + 20, viewer.top + 10}));
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == m_session.Dialog(); }));
    ASSERT_TRUE(PressKeys("shift+F10"));
    ASSERT_TRUE(WaitForVisibleWindow(m_session.Process().Id(), "#32768"));
    ASSERT_TRUE(PressKeys("e") && PressKeys("w"));
    const std::wstring western = L"\x00B9\x00CA\x00D5\x00CF\x00C2\x00EB P0301";
    EXPECT_TRUE(ShowsCharacters(m_session, western));
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_EXIT));
    ASSERT_TRUE(m_session.Process().WaitForExit(20000, nullptr));
    MardelloSession again;
    ASSERT_TRUE(again.Start());
    ASSERT_TRUE(ClickButton(again.Dialog(), IDC_BTN_FROZEN_FRAME));
    EXPECT_TRUE(ShowsCharacters(again, kShown));
}

}  // namespace
}  // namespace e2e
