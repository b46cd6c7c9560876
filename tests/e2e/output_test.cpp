// Print and Copy as a user meets them: the system's print dialog, the pages that come out of
// the spooler's PDF printer, and the clipboard that another program pastes from.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "tests/e2e/PrintDialog.h"
#include "tests/e2e/PrintJobs.h"
#include "tests/e2e/PrintPreview.h"
#include "tests/e2e/ProgramEnd.h"
#include "tests/e2e/RunningProgram.h"

namespace e2e {
namespace {

// One line step, 120 units of a 600-dpi page, in points: the same on every printer. The margin
// above the VIN and below the footer is as wide; a line's cell is 100 units high.
constexpr double kLineStep = 120.0 / 600.0 * 72.0;
constexpr double kMargin = kLineStep;
constexpr double kFontHeight = 100.0 / 600.0 * 72.0;

// Chinese report text, GBK: "气缸1失火", "催化剂效率低", "发动机转速", "冷却液温度", "车速".
constexpr const char* kMisfire = "\xC6\xF8\xB8\xD7" "1" "\xCA\xA7\xBB\xF0";
constexpr const char* kCatalyst = "\xB4\xDF\xBB\xAF\xBC\xC1\xD0\xA7\xC2\xCA\xB5\xCD";
constexpr const char* kEngineSpeed = "\xB7\xA2\xB6\xAF\xBB\xFA\xD7\xAA\xCB\xD9";
constexpr const char* kCoolant = "\xC0\xE4\xC8\xB4\xD2\xBA\xCE\xC2\xB6\xC8";
constexpr const char* kSpeed = "\xB3\xB5\xCB\xD9";

constexpr const char* kVin = "LSVAU2180N2183294";  // the device's own

// The device's trouble codes: Chinese text, a tab inside a line; its live data has an empty line.
const std::string kTroubleCodes = std::string("P0301 ") + kMisfire + "\r\n\tP0420\t" + kCatalyst + "  \r\n";

// What "Print All" shows for the device's reports, paragraph by paragraph.
const std::vector<std::string> kAllReportsLines = {
    std::string("P0301 ") + kMisfire, std::string("P0420    ") + kCatalyst,            // the trouble codes
    "", std::string(kEngineSpeed) + " 800 rpm", "", std::string(kCoolant) + " 90 C",  // the live data
    "", std::string(kSpeed) + " 0 km/h",                                              // the freeze frame
};

SYSTEMTIME Now()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now;
}

// Takes each page's footer, its last line, out of the job's lines, checking it: the VIN as the
// first page prints it, a time of printing since `printedFrom` and "Page k of n", from margin to
// margin, clear below the other lines, its cell ending as far above the paper's bottom as the
// VIN's starts below the top. Its time becomes a mark, so that jobs printed at different minutes
// compare equal.
std::vector<PrintedLine> TakeFooters(PrintedJob& job, const SYSTEMTIME& printedFrom, double headerHeight)
{
    // The user's short date and time formats, without spaces, from `printedFrom` until now.
    std::set<std::string> times;
    for (const SYSTEMTIME& when : {printedFrom, Now()}) {
        char date[128] = "", time[128] = "";
        GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, nullptr, date, sizeof date);
        GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &when, nullptr, time, sizeof time);
        times.insert(WithoutSpaces(Utf8FromAnsi(std::string(date) + time)));
    }
    // The VIN: the first line that the last footer starts with; a workshop's header of
    // `headerHeight` points goes above it.
    const auto vinAt = std::find_if(job.lines.begin(), job.lines.end(), [&](const PrintedLine& line) {
        return WithoutSpaces(job.lines.back().text).rfind(WithoutSpaces(line.text), 0) == 0;
    });
    const PrintedLine vin = vinAt == job.lines.end() ? PrintedLine{} : *vinAt;
    std::vector<PrintedLine> body, footers;
    for (int page = 0; page < job.pages; ++page) {
        SCOPED_TRACE("page " + std::to_string(page + 1) + " of " + std::to_string(job.pages));
        std::vector<PrintedLine> onPage;
        for (const PrintedLine& line : job.lines)
            if (line.page == page) onPage.push_back(line);
        if (onPage.empty()) {
            ADD_FAILURE() << "no footer";
            continue;
        }
        PrintedLine footer = onPage.back();
        onPage.pop_back();
        const std::string number = "Page" + std::to_string(page + 1) + "of" + std::to_string(job.pages);
        const std::string vinText = WithoutSpaces(vin.text);
        bool known = false;
        for (const std::string& time : times) known = known || WithoutSpaces(footer.text) == vinText + time + number;
        EXPECT_TRUE(known) << footer.text << ": not the VIN " << vin.text << ", a time of printing and " << number;
        EXPECT_NEAR(vin.left, footer.left, 0.1) << footer.text << ": starts at the VIN's x";
        EXPECT_NEAR(job.pageWidth - vin.left, footer.right, 1.0) << footer.text << ": ends at the right margin";
        EXPECT_NEAR(job.pageHeight - 2 * kMargin - kFontHeight - headerHeight, footer.top - vin.top, 0.5)
            << footer.text << ": its cell should end a margin above the paper's bottom";
        for (const PrintedLine& line : onPage)
            EXPECT_LT(line.bottom, footer.top) << line.text << ": runs into the footer " << footer.text;
        footer.text = vinText + "<time>" + number;
        footers.push_back(footer);
        body.insert(body.end(), onPage.begin(), onPage.end());
    }
    job.lines = body;
    return footers;
}

// A printed job: its lines without the footers, which were checked and set apart.
struct CheckedJob : PrintedJob {
    std::vector<PrintedLine> footers;
};

// The printer the print dialog offers first: the system's default.
std::string DefaultPrinter()
{
    char device[512] = "";
    GetProfileStringA("windows", "device", "", device, sizeof device);
    return std::string(device).substr(0, std::string(device).find(','));
}

// How many viewer lines the pages of the test world's PDF printer hold: a whole A4 sheet at
// 300 dpi (the unit tests lay the same page out).
struct PageRoom {
    int firstPage = 0, furtherPages = 0;
};
constexpr PageRoom kRoomOnA4{52, 54};
constexpr double kA4Height = 842;  // points

// Where printed text stands: page, line position counted from the top margin (the VIN's line
// is 0 on the first page), and the text without its spaces.
std::string Slot(int page, long position, const std::string& text)
{
    return "page " + std::to_string(page) + " line " + std::to_string(position) + ": " + text;
}

// The printed job's lines as slots; the job's first line is the VIN, at every page's top margin.
std::vector<std::string> PrintedSlots(const PrintedJob& job)
{
    std::vector<std::string> slots;
    if (job.lines.empty()) return slots;
    const double margin = job.lines.front().top;
    for (const PrintedLine& line : job.lines) {
        const double steps = (line.top - margin) / kLineStep;
        const long position = std::lround(steps);
        // A line between two positions is out of place however its text reads.
        const std::string where = std::abs(steps - static_cast<double>(position)) < 0.05 ? "" : " (off the grid)";
        slots.push_back(Slot(line.page, position, WithoutSpaces(line.text) + where));
    }
    return slots;
}

// Where the VIN and each viewer line belong; blank lines take a position and print nothing.
std::vector<std::string> ExpectedSlots(const std::string& vin, const std::vector<std::string>& viewerLines,
                                       const PageRoom& room)
{
    std::vector<std::string> slots = {Slot(0, 0, Utf8FromAnsi(vin))};
    int page = 0, position = 2, roomLeft = room.firstPage;
    for (const std::string& line : viewerLines) {
        if (roomLeft == 0) {
            ++page;
            position = 0;
            roomLeft = room.furtherPages;
        }
        if (!WithoutSpaces(line).empty()) slots.push_back(Slot(page, position, Utf8FromAnsi(WithoutSpaces(line))));
        ++position;
        --roomLeft;
    }
    return slots;
}

// Replaces the VIN box's text as a user does: select it all, type over it.
::testing::AssertionResult TypeVin(MardelloSession& session, const std::string& vin)
{
    SendMessageA(session.Control(IDC_EDIT_VIN), EM_SETSEL, 0, -1);
    return TypeText(session.Dialog(), IDC_EDIT_VIN, vin);
}

// Whether the preview's sheet, in the paper's proportions, shows page `page` of the job: a row of
// text where each printed line stands, the footer included (middles within a third of a line step),
// and as wide as the printed line (its ends within 3 pixels and a tenth of its width), so that
// other text, such as another VIN, shows.
::testing::AssertionResult SheetShowsPage(const PreviewSheet& sheet, const CheckedJob& job, int page)
{
    const double ratio = job.pageWidth / job.pageHeight, scale = sheet.Height() / job.pageHeight;
    if (std::abs(sheet.Width() / sheet.Height() - ratio) > 0.01 * ratio)
        return ::testing::AssertionFailure() << "a sheet of " << sheet.Width() << "x" << sheet.Height()
                                             << " pixels for a page of " << job.pageWidth << "x" << job.pageHeight;
    std::vector<const PrintedLine*> printed;
    for (const PrintedLine& line : job.lines)
        if (line.page == page) printed.push_back(&line);
    if (page < static_cast<int>(job.footers.size())) printed.push_back(&job.footers[static_cast<size_t>(page)]);
    const auto middle = [scale](const PrintedLine* line) { return (line->top + line->bottom) / 2 * scale; };
    std::string rows = "rows shown (pixels from the sheet's top):";
    for (const InkRow& row : sheet.rows) rows += " " + std::to_string(row.top) + "-" + std::to_string(row.bottom);
    rows += "; printed lines' middles there:";
    for (const PrintedLine* line : printed) rows += " " + std::to_string(std::lround(middle(line)));
    if (sheet.rows.size() != printed.size())
        return ::testing::AssertionFailure() << sheet.rows.size() << " rows of text for " << printed.size()
                                             << " printed lines; " << rows;
    for (size_t k = 0; k < printed.size(); ++k) {
        const InkRow& row = sheet.rows[k];
        const PrintedLine& line = *printed[k];
        if (std::abs((row.top + row.bottom) / 2.0 - middle(&line)) > kLineStep * scale / 3)
            return ::testing::AssertionFailure() << "row " << k << " (" << line.text << ") out of place; " << rows;
        const double slack = 3 + 0.1 * (line.right - line.left) * scale;
        if (std::abs(row.left - line.left * scale) > slack || std::abs(row.right - line.right * scale) > slack)
            return ::testing::AssertionFailure() << "row " << k << " shows ink from " << row.left << " to " << row.right
                                                 << " pixels where " << line.text << " prints from "
                                                 << std::lround(line.left * scale) << " to "
                                                 << std::lround(line.right * scale);
    }
    return ::testing::AssertionSuccess();
}

// Checks the preview of the viewer as it is against the job printed from it (Open finds it only
// as a window the main dialog owns): as many pages, the first and last showing the job's text;
// Esc closes it.
void ExpectPreviewShowsJob(MardelloSession& session, const CheckedJob& job, const std::string& name)
{
    SCOPED_TRACE("preview");
    PrintPreview preview(session);
    ASSERT_TRUE(preview.Open());
    EXPECT_EQ("Print Preview", preview.Title());
    for (const int page : std::set<int>{0, job.pages - 1}) {  // the first page, then End to the last
        if (page > 0) {
            ASSERT_TRUE(preview.Press("End"));
        }
        EXPECT_EQ("Page " + std::to_string(page + 1) + " of " + std::to_string(job.pages), preview.PageText());
        const auto sheet = preview.Sheet(page ? name + "-last" : name);
        ASSERT_TRUE(sheet);
        EXPECT_TRUE(SheetShowsPage(*sheet, job, page));
    }
    ASSERT_TRUE(preview.Press("Escape"));
    ASSERT_TRUE(WaitUntil([&] { return preview.Closed(); })) << "Esc did not close the preview";
    ASSERT_TRUE(WaitUntilIdle(session.Dialog()));
    EXPECT_TRUE(IsWindowEnabled(session.Dialog()));
}

// Windows always has Arial, which the font mapper gives a font that asks for Western letters
// and no face. Wine takes its place only when a font of that name is installed, so for the
// programs started meanwhile DejaVu Sans answers to it (Wine reads the replacements at start-up).
struct ArialAsOnWindows {
    static constexpr const char* kKey = "Software\\Wine\\Fonts\\Replacements";
    ArialAsOnWindows() { RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "Arial", REG_SZ, "DejaVu Sans", 12); }
    ~ArialAsOnWindows() { RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, "Arial"); }
};

// The program on a device plugged in as E:, with the printer's PDFs watched.
class OutputPrint : public RunningProgram {
protected:
    // Starts the program on the device, its DTC.DAT holding `troubleCodes`, and shows the view of
    // `viewButton` (none when 0).
    ::testing::AssertionResult Start(int viewButton = 0, const std::string& troubleCodes = kTroubleCodes)
    {
        m_device.Write("DTC.DAT", troubleCodes);
        m_device.Write("CDS.DAT", std::string(kEngineSpeed) + " 800 rpm\r\n\r\n" + kCoolant + " 90 C\r\n");
        m_device.Write("FROZEN.DAT", std::string(kSpeed) + " 0 km/h\n");
        PlugIn();
        auto started = m_session.Start();
        if (!started || !viewButton) return started;
        return ClickButton(m_session.Dialog(), viewButton);
    }

    // Reads the next job that comes out of the printer, printed since `printedFrom`; the PDF is
    // then kept as an artifact named `name`.
    std::optional<CheckedJob> ReadNextJob(const std::string& name, const SYSTEMTIME& printedFrom, double headerHeight = 0)
    {
        const auto job = m_pdfs.ReadNewJob(name);
        if (!job) return std::nullopt;
        CheckedJob checked{*job, {}};
        checked.footers = TakeFooters(checked, printedFrom, headerHeight);
        return checked;
    }

    std::optional<CheckedJob> PrintAndRead(const std::string& name, const std::string& printer = {}, int copies = 1,
                                           double headerHeight = 0)
    {
        const SYSTEMTIME from = Now();
        if (PrintWithOk(m_session, printer, copies)) return ReadNextJob(name, from, headerHeight);
        ADD_FAILURE() << "printing did not start";
        return std::nullopt;
    }

    PdfFolder m_pdfs;
    ArialAsOnWindows m_arial;
};

using OutputPreview = OutputPrint;

// Where page 1 of a PDF has a rule: the rows, in points from the top, that are dark across
// three quarters of the page.
std::vector<double> RulesOnFirstPage(const std::string& pdf)
{
    ScratchFolder scratch;
    const auto rendered = RunUnix("pdftoppm -r 144 -gray -f 1 -l 1 -singlefile '" + UnixPath(pdf) + "' '" +
                                  scratch.UnixPath() + "/page'");
    const std::string pgm = ReadWholeFile(scratch.Path() + "\\page.pgm").value_or("");
    int width = 0, height = 0, depth = 0, header = 0;
    std::vector<double> rules;
    const bool read = rendered && std::sscanf(pgm.c_str(), "P5 %d %d %d%n", &width, &height, &depth, &header) == 3 &&
                      pgm.size() >= static_cast<size_t>(header + 1 + width * height);
    for (int y = 0; read && y < height; ++y) {
        int dark = 0;
        for (int x = 0; x < width; ++x) dark += static_cast<unsigned char>(pgm[header + 1 + y * width + x]) < 160;
        if (dark > width * 3 / 4) rules.push_back(y / 2.0);
    }
    return rules;
}

// Another car plugged in while the first car's trouble codes are shown: the viewer, the printout
// and the preview show the new car's codes under its VIN, never its VIN over the first car's.
TEST_F(OutputPrint, AnotherCarPluggedInPrintsItsOwnCodes)
{
    ASSERT_TRUE(Start(IDC_BTN_TROUBLE_CODE));
    const std::string vinB = "WDB2030461A123456";
    const DeviceFolder carB{vinB};
    carB.Write("DTC.DAT", "B1000\tBody\r\n");
    PullOut('E');
    PlugIn('F', carB);
    ASSERT_TRUE(Shows(kReady, vinB));
    EXPECT_TRUE(WaitUntil([&] { return Viewer() == "B1000    Body"; })) << Viewer();
    const auto job = PrintAndRead("print-another-car");
    ASSERT_TRUE(job);
    EXPECT_EQ(ExpectedSlots(vinB, {"B1000    Body"}, kRoomOnA4), PrintedSlots(*job));
    ExpectPreviewShowsJob(m_session, *job, "preview-another-car");
}

// Workshop Details entered once are kept across a restart and head page 1 of the printout and
// of the preview: the name larger, the other lines, a rule, then the VIN and the report, none
// over another. Cancel keeps the details as they were.
TEST_F(OutputPrint, WorkshopHeaderAboveTheVin)
{
    const std::vector<std::pair<int, std::string>> details = {{IDC_WORKSHOP_NAME, "Kwik Garage"},
        {IDC_WORKSHOP_ADDRESS1, "12 Mill Road"}, {IDC_WORKSHOP_ADDRESS2, "Leeds LS1 4AB"},
        {IDC_WORKSHOP_PHONE, "0113 496 0000"}, {IDC_WORKSHOP_WEB, "kwik.example"}};
    {
        MardelloSession first;
        ASSERT_TRUE(first.Start());
        const HWND entry = OpenFromSystemMenu(first, IDM_WORKSHOP);
        ASSERT_TRUE(entry);
        for (const auto& [id, text] : details) ASSERT_TRUE(TypeText(entry, id, text));
        SaveScreenshot(entry, "workshop-details");
        ASSERT_TRUE(ClickButton(entry, IDOK));
        ASSERT_TRUE(PostMessageA(first.Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0));
        ASSERT_TRUE(EndsCleanly(first));
    }
    ASSERT_TRUE(Start(IDC_BTN_TROUBLE_CODE));
    const HWND kept = OpenFromSystemMenu(m_session, IDM_WORKSHOP);
    ASSERT_TRUE(kept);
    for (const auto& [id, text] : details) EXPECT_EQ(text, ControlText(kept, id).value_or("")) << "after a restart";
    ASSERT_TRUE(TypeText(kept, IDC_WORKSHOP_NAME, " Cancelled"));
    ASSERT_TRUE(ClickButton(kept, IDCANCEL));

    // The name's line step, four lines and the rule's line: 780 units of a 600-dpi page.
    auto job = PrintAndRead("print-workshop-header", {}, 1, 780.0 / 600.0 * 72.0);
    ASSERT_TRUE(job);
    std::vector<std::string> firstPage;
    for (const auto& [id, text] : details) firstPage.push_back(WithoutSpaces(text));
    firstPage.insert(firstPage.end(), {kVin, "P0301" + Utf8FromAnsi(kMisfire)});
    ASSERT_LE(firstPage.size(), job->lines.size());
    for (size_t k = 0; k < firstPage.size(); ++k) {
        EXPECT_EQ(firstPage[k], WithoutSpaces(job->lines[k].text)) << "line " << k;
        if (k) {
            EXPECT_LT(job->lines[k - 1].bottom, job->lines[k].top) << job->lines[k].text << " overlaps the line above";
        }
    }
    const auto height = [&](size_t k) { return job->lines[k].bottom - job->lines[k].top; };
    EXPECT_GT(height(0), 1.3 * height(1)) << "the name is not larger";
    const std::vector<double> rules = RulesOnFirstPage(PathFromEnvironment("MARDELLO_E2E_ARTIFACTS") + "\\print-workshop-header.pdf");
    ASSERT_FALSE(rules.empty()) << "no rule";
    EXPECT_LT(rules.back() - rules.front(), 1.0) << "not one thin rule";
    EXPECT_LT(job->lines[4].bottom, rules.front());
    EXPECT_LT(rules.back(), job->lines[5].top);
    // The preview shows the rule as a row of its own, from margin to margin.
    job->lines.insert(job->lines.begin() + 5, PrintedLine{0, rules.front(), rules.back() + 0.5, job->lines[0].left,
                                                          job->pageWidth - job->lines[0].left, "rule"});
    ExpectPreviewShowsJob(m_session, *job, "preview-workshop-header");
}
using OutputCopy = OutputPrint;

std::wstring WideFromUtf8(const std::string& utf8)
{
    std::wstring wide(utf8.size(), L'\0');
    const int size = static_cast<int>(utf8.size());
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), size)));
    return wide;
}

// On a Western Windows, Chinese characters print as characters, in the viewer's text (pasted as
// Unicode, as from another program) and in a workshop name of 50 of them, which wraps to fit the
// page. The system's code page holds none of them.
TEST_F(OutputPrint, ChineseOnAWesternSystem)
{
    ASSERT_TRUE(m_session.Start("C:\\mardello-e2e", "C"));
    std::string name;  // "气缸失火催化剂效率低" five times
    for (int k = 0; k < 5; ++k)
        name += "\xE6\xB0\x94\xE7\xBC\xB8\xE5\xA4\xB1\xE7\x81\xAB\xE5\x82\xAC\xE5\x8C\x96\xE5\x89\x82\xE6\x95\x88"
                "\xE7\x8E\x87\xE4\xBD\x8E";
    const HWND details = OpenFromSystemMenu(m_session, IDM_WORKSHOP);
    ASSERT_TRUE(details);
    SendMessageW(GetDlgItem(details, IDC_WORKSHOP_NAME), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(WideFromUtf8(name).c_str()));
    ASSERT_TRUE(ClickButton(details, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(details); }));

    const std::string line = "P0301\xE6\xB0\x94\xE7\xBC\xB8" "1\xE5\xA4\xB1\xE7\x81\xAB";  // "P0301气缸1失火"
    const std::wstring wide = WideFromUtf8(line);
    ASSERT_TRUE(WriteClipboardText(std::string(reinterpret_cast<const char*>(wide.c_str()), 2 * wide.size()),
                                   kDefaultTimeoutMs, CF_UNICODETEXT));
    SendMessageA(m_session.Control(IDC_RICHEDIT_REPORT), WM_PASTE, 0, 0);
    ASSERT_TRUE(PrintWithOk(m_session));
    const auto job = m_pdfs.ReadNewJob("print-chinese-on-western");
    ASSERT_TRUE(job);
    std::string printed;
    for (const PrintedLine& each : job->lines) printed += WithoutSpaces(each.text) + "\n";
    ASSERT_GE(job->lines.size(), 3u) << printed;
    EXPECT_LT(job->lines[0].right, job->pageWidth) << "the name runs off the page";
    EXPECT_EQ(name, WithoutSpaces(job->lines[0].text) + WithoutSpaces(job->lines[1].text)) << printed;
    EXPECT_NE(std::string::npos, printed.find("\n" + line + "\n")) << printed;
}

TEST_F(OutputPrint, VinThenEveryViewerLineInPlace)
{
    ASSERT_TRUE(Start(IDC_BTN_PRINT_ALL));
    // Typed after the last paragraph break, so it is the text after the last CR. (Typed in
    // ASCII: Wine's 8-bit rich edit takes a typed double-byte character for two unknown ones.)
    const std::string typed = "NOTE 42 km";
    ASSERT_TRUE(TypeText(m_session.Dialog(), IDC_RICHEDIT_REPORT, typed));

    // Two copies asked for in the print dialog go with the job; the spooler makes them.
    const auto job = PrintAndRead("print-all-reports", {}, 2);
    ASSERT_TRUE(job);
    EXPECT_EQ("pdoc", job->title);
    EXPECT_EQ(1, job->pages);
    EXPECT_EQ(2, CopiesOfJob(job->fileName));
    std::vector<std::string> viewer = kAllReportsLines;
    viewer.push_back(typed);
    ASSERT_NEAR(kA4Height, job->pageHeight, 1) << "the default printer's paper";
    EXPECT_EQ(ExpectedSlots(kVin, viewer, kRoomOnA4), PrintedSlots(*job));
    for (const PrintedLine& line : job->lines)
        EXPECT_NEAR(job->lines.front().left, line.left, 0.1) << line.text << ": every line starts at the VIN's x";
    ExpectPreviewShowsJob(m_session, *job, "preview-all-reports");
}

// A report of `lines` numbered lines, for DTC.DAT; the viewer's lines once it is shown.
std::string NumberedReport(int lines, std::vector<std::string>* viewer = nullptr)
{
    std::string report;
    if (viewer) viewer->clear();
    for (int i = 1; i <= lines; ++i) {
        const std::string line = "L" + std::to_string(1000 + i) + " P0" + std::to_string(100 + i) + " " + kMisfire;
        report += line + "\r\n";
        if (viewer) viewer->push_back(line);
    }
    return report;
}

TEST_F(OutputPrint, LongReportGoesOnToFurtherPages)
{
    ASSERT_TRUE(Start());
    for (const int reportLines : {1, 200}) {
        const std::string name = std::to_string(reportLines) + "-lines";
        SCOPED_TRACE(name + " report");
        std::vector<std::string> viewer;
        // One category: no paragraph break follows the last line.
        m_device.Write("DTC.DAT", NumberedReport(reportLines, &viewer));
        ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE));

        const auto job = PrintAndRead("print-" + name);
        ASSERT_TRUE(job);
        ASSERT_NEAR(kA4Height, job->pageHeight, 1) << "the default printer's paper";
        const std::vector<std::string> expected = ExpectedSlots(kVin, viewer, kRoomOnA4);  // "page N line M: ..."
        EXPECT_EQ(expected, PrintedSlots(*job));
        EXPECT_EQ(std::stoi(expected.back().substr(5)) + 1, job->pages) << "no page beyond the last line";
        EXPECT_EQ(reportLines == 200, job->pages > 1) << "only the long report should need further pages";
        ExpectPreviewShowsJob(m_session, *job, "preview-" + name);
    }
}

TEST_F(OutputPrint, LongLinesWrapWhole)
{
    // Three 300-byte lines: words, a run without spaces, and Chinese without spaces.
    std::string words, digits, chinese;
    for (int i = 0; words.size() < 300; ++i) words += "w" + std::to_string(100 + i) + " ";
    while (digits.size() < 300) digits += "0123456789";
    const std::string characters[] = {kMisfire + 5, kCatalyst, kEngineSpeed};
    for (int i = 0; chinese.size() < 300; ++i) chinese += characters[i % 3];
    words.resize(300);
    chinese.resize(300);
    const std::vector<std::string> longLines = {words, digits, chinese};
    ASSERT_TRUE(Start(IDC_BTN_TROUBLE_CODE, Paragraphs(longLines) + "\r\nEND\r\n"));

    const auto job = PrintAndRead("print-long-lines");
    ASSERT_TRUE(job);
    ASSERT_FALSE(job->lines.empty());
    const PrintedLine& vin = job->lines.front();
    const double rightMargin = job->pageWidth - vin.left;
    // Gather the printed lines that make up each long line, by their text.
    size_t next = 1;
    double expectedTop = vin.top + 2 * kLineStep;  // below the VIN and a blank line
    for (size_t k = 0; k < longLines.size(); ++k) {
        SCOPED_TRACE("long line " + std::to_string(k));
        const std::string whole = Utf8FromAnsi(WithoutSpaces(longLines[k]));
        std::string printed;
        int pieces = 0;
        for (; printed.size() < whole.size() && next < job->lines.size(); ++pieces, expectedTop += kLineStep) {
            const PrintedLine& piece = job->lines[next++];
            EXPECT_NEAR(expectedTop, piece.top, 0.1) << piece.text << ": pieces take the following line positions";
            EXPECT_LE(piece.right, rightMargin + 1.0) << piece.text << ": runs into the right margin";
            if (k == 0) {
                EXPECT_EQ('w', piece.text[0]) << piece.text << ": a line with spaces breaks after a space";
            }
            printed += WithoutSpaces(piece.text);
        }
        EXPECT_EQ(whole, printed);
        EXPECT_LT(1, pieces) << "wider than the page, so it should wrap";
    }
    ASSERT_LT(next, job->lines.size());
    EXPECT_EQ("END", job->lines[next].text) << "the line after the long ones";
    ExpectPreviewShowsJob(m_session, *job, "preview-long-lines");
}

TEST_F(OutputPrint, SamePageAtAnyResolution)
{
    char printer[256] = "";
    GetEnvironmentVariableA("MARDELLO_PRINTER_1200DPI", printer, sizeof printer);
    ASSERT_STRNE("", printer) << "MARDELLO_PRINTER_1200DPI is not set: source scripts/cups-env.sh";
    ASSERT_TRUE(SetPrinterResolution(printer, 1200));
    ASSERT_NE(1200, PrinterCaps(DefaultPrinter())) << "the comparison wants two resolutions";

    ASSERT_TRUE(Start(IDC_BTN_PRINT_ALL));
    const auto at300 = PrintAndRead("print-300dpi");
    const auto at1200 = PrintAndRead("print-1200dpi", printer);
    ASSERT_TRUE(at300 && at1200);
    EXPECT_EQ(DefaultPrinter(), QueueOfJob(at300->fileName));
    EXPECT_EQ(printer, QueueOfJob(at1200->fileName));

    ASSERT_EQ(PrintedSlots(*at300), PrintedSlots(*at1200));
    for (size_t k = 0; k < at300->lines.size(); ++k) {
        const PrintedLine& a = at300->lines[k];
        const PrintedLine& b = at1200->lines[k];
        SCOPED_TRACE(a.text);
        EXPECT_NEAR(a.top, b.top, 0.3);
        EXPECT_NEAR(a.left, b.left, 0.3);
        // The text's height and width: the font's size.
        EXPECT_NEAR(a.bottom - a.top, b.bottom - b.top, 0.3);
        EXPECT_NEAR(a.right - a.left, b.right - b.left, 0.02 * (a.right - a.left));
    }
}

TEST_F(OutputPrint, TypedVinAloneWhenTheViewerIsEmpty)
{
    ASSERT_TRUE(Start());
    ASSERT_EQ(kVin, Vin());
    PrintPreview devicePreview(m_session);
    ASSERT_TRUE(devicePreview.Open());
    const auto deviceSheet = devicePreview.Sheet();
    ASSERT_TRUE(deviceSheet && devicePreview.Press("Escape"));
    // As long as the device's, so that only what the row shows tells them apart.
    const std::string typed = "WDB2030461A123456";
    ASSERT_TRUE(TypeVin(m_session, typed));

    const auto job = PrintAndRead("print-typed-vin");
    ASSERT_TRUE(job);
    EXPECT_EQ(1, job->pages);
    EXPECT_EQ(std::vector<std::string>{Slot(0, 0, typed)}, PrintedSlots(*job));
    ExpectPreviewShowsJob(m_session, *job, "preview-typed-vin");
    PrintPreview typedPreview(m_session);
    ASSERT_TRUE(typedPreview.Open());
    const auto typedSheet = typedPreview.Sheet();
    ASSERT_TRUE(typedSheet && typedPreview.Press("Escape"));
    EXPECT_NE(deviceSheet->firstRow, typedSheet->firstRow) << "the preview shows the device's VIN, not the typed one";
}

// The preview's pages turned with the keys and the buttons, the preview resized, and Print from
// it printing what Print from the main window prints; Close closes it.
TEST_F(OutputPreview, TurnsPagesAndPrintsAsPrintDoes)
{
    ASSERT_TRUE(Start(IDC_BTN_TROUBLE_CODE, NumberedReport(200)));
    const auto printed = PrintAndRead("print-before-preview");
    ASSERT_TRUE(printed);
    const int pages = printed->pages;
    ASSERT_LT(2, pages);

    PrintPreview preview(m_session);
    ASSERT_TRUE(preview.Open());
    const auto shows = [&](int page) { return "Page " + std::to_string(page) + " of " + std::to_string(pages); };
    const auto enabled = [&](int id) { return IsWindowEnabled(GetDlgItem(preview.Window(), id)) != FALSE; };
    ASSERT_EQ(shows(1), preview.PageText());
    // Each step and the page it shows: Page Down to the last page and one more, which stays
    // there; Page Up back; End and Home; the buttons, and a key while a button has the focus.
    struct Step {
        const char* keys;  // or else a button clicked
        int button, page;
    };
    std::vector<Step> steps;
    for (int page = 2; page <= pages + 1; ++page) steps.push_back({"Next", 0, std::min(page, pages)});
    for (int page = pages - 1; page >= 0; --page) steps.push_back({"Prior", 0, std::max(page, 1)});
    steps.insert(steps.end(), {{"End", 0, pages}, {"Home", 0, 1}, {nullptr, IDC_PREVIEW_NEXT, 2}, {"Next", 0, 3},
                               {nullptr, IDC_PREVIEW_PREVIOUS, 2}});
    for (const Step& step : steps) {
        ASSERT_TRUE(step.keys ? preview.Press(step.keys) : ClickButton(preview.Window(), step.button));
        EXPECT_EQ(shows(step.page), preview.PageText()) << (step.keys ? step.keys : "a button");
        EXPECT_EQ(step.page > 1, enabled(IDC_PREVIEW_PREVIOUS)) << shows(step.page);
        EXPECT_EQ(step.page < pages, enabled(IDC_PREVIEW_NEXT)) << shows(step.page);
        GUITHREADINFO focus{};
        focus.cbSize = sizeof focus;
        if (step.button && GetGUIThreadInfo(GetWindowThreadProcessId(preview.Window(), nullptr), &focus)) {
            EXPECT_EQ(GetDlgItem(preview.Window(), step.button), focus.hwndFocus) << "the clicked button has the focus";
        }
    }

    // Resized, it shows the same page, larger.
    const auto small = preview.Sheet();
    ASSERT_TRUE(small);
    EXPECT_TRUE(SheetShowsPage(*small, *printed, 1));
    ASSERT_TRUE(SetWindowPos(preview.Window(), nullptr, 0, 0, 1000, 1000, SWP_NOZORDER));
    ASSERT_TRUE(WaitUntilIdle(preview.Window()));
    const auto large = preview.Sheet("preview-resized");
    ASSERT_TRUE(large);
    EXPECT_GT(large->Height(), small->Height());
    EXPECT_TRUE(SheetShowsPage(*large, *printed, 1));

    // Print from the preview closes it and runs Print: the print dialog, and the same pages.
    const SYSTEMTIME from = Now();
    ASSERT_TRUE(preview.PressPrint());
    const HWND printDialog = WaitForPrintDialog(m_session, preview.Window());
    ASSERT_TRUE(printDialog);
    EXPECT_TRUE(preview.Closed());
    ASSERT_TRUE(Answer(m_session, printDialog, IDOK));
    const auto fromPreview = ReadNextJob("print-from-preview", from);
    ASSERT_TRUE(fromPreview);
    EXPECT_EQ(pages, fromPreview->pages);
    EXPECT_EQ(PrintedSlots(*printed), PrintedSlots(*fromPreview));
    for (size_t k = 0; k < printed->footers.size() && k < fromPreview->footers.size(); ++k)
        EXPECT_EQ(printed->footers[k].text, fromPreview->footers[k].text);

    // Close closes it; the main window works afterwards.
    PrintPreview again(m_session);
    ASSERT_TRUE(again.Open());
    EXPECT_EQ(shows(1), again.PageText()) << "a preview remembers nothing";
    ASSERT_TRUE(ClickButton(again.Window(), IDCANCEL));
    EXPECT_TRUE(WaitUntil([&] { return again.Closed(); })) << "Close did not close the preview";
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_LIVE_DATA));
    EXPECT_TRUE(ShowsOnlyBlue(m_session, IDC_BTN_LIVE_DATA));
}

TEST_F(OutputPrint, CancelPrintsNothing)
{
    ASSERT_TRUE(Start());
    HWND printDialog = ClickPrint(m_session);
    ASSERT_TRUE(printDialog);
    // The dialog asks only for the printer and the copies: all pages, no page range, no
    // selection, no printing to a file; and the main window takes no input while it is open.
    EXPECT_EQ(m_session.Dialog(), GetWindow(printDialog, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(m_session.Dialog()));
    constexpr int kAllPages = 0x420, kSelection = 0x421, kPageRange = 0x422, kPrintToFile = 0x410;
    EXPECT_EQ(BST_CHECKED, SendMessageA(GetDlgItem(printDialog, kAllPages), BM_GETCHECK, 0, 0));
    for (const int id : {kSelection, kPageRange}) EXPECT_FALSE(IsWindowEnabled(GetDlgItem(printDialog, id))) << id;
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(printDialog, kPrintToFile)));
    SaveScreenshot(printDialog, "print-dialog");
    ASSERT_TRUE(Answer(m_session, printDialog, IDCANCEL));

    // The spooler handles one printer's jobs in order, so once a later job is out, a job
    // from the cancelled dialog would be out too.
    ASSERT_TRUE(TypeVin(m_session, "AFTERCANCEL000001"));
    const SYSTEMTIME printedFrom = Now();
    ASSERT_TRUE(PrintWithOk(m_session));
    std::vector<std::string> others;
    for (;;) {
        const auto job = ReadNextJob("print-after-cancel", printedFrom);
        ASSERT_TRUE(job);
        if (PrintedSlots(*job) == std::vector<std::string>{Slot(0, 0, "AFTERCANCEL000001")}) break;
        others.push_back(job->fileName + ": " + (job->lines.empty() ? "" : job->lines.front().text));
    }
    EXPECT_EQ(std::vector<std::string>{}, others) << "jobs came out of the cancelled dialog";
    EXPECT_TRUE(m_session.Process().Running());
}

// A long job says which page it is at; Cancel stops it at once, and no page after that one
// reaches the spooler.
TEST_F(OutputPrint, CancelStopsALongJob)
{
    ASSERT_TRUE(Start(IDC_BTN_TROUBLE_CODE, NumberedReport(20000)));
    ASSERT_TRUE(SendNotifyMessageA(GetDlgItem(ClickPrint(m_session), IDOK), BM_CLICK, 0, 0));
    HWND progress = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (progress = PrintProgress(m_session)) != nullptr; })) << "no progress window";
    EXPECT_FALSE(IsWindowEnabled(m_session.Dialog()));
    int page = 0, pages = 0;
    ASSERT_TRUE(WaitUntil([&] {
        const std::string text = ControlText(progress, IDC_PRINT_PROGRESS_PAGE, 100).value_or("");
        return std::sscanf(text.c_str(), "Printing page %d of %d", &page, &pages) == 2 && page > 1;
    }));
    SaveScreenshot(progress, "print-progress");
    ASSERT_TRUE(ClickButton(progress, IDCANCEL));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(progress); }, 2000)) << "Cancel did not end the job at once";
    ASSERT_TRUE(WaitUntilIdle(m_session.Dialog()));
    EXPECT_TRUE(IsWindowEnabled(m_session.Dialog()));

    // The next job, of a short report, comes out; any job before it ended within a page of the Cancel.
    m_device.Write("DTC.DAT", "END\r\n");
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE));
    ASSERT_TRUE(TypeVin(m_session, "AFTERCANCEL000002"));
    const SYSTEMTIME printedFrom = Now();
    ASSERT_TRUE(PrintWithOk(m_session));
    for (auto job = ReadNextJob("print-after-long-job", printedFrom); job;
         job = ReadNextJob("print-after-long-job", printedFrom)) {
        const std::vector<std::string> slots = PrintedSlots(*job);
        if (!slots.empty() && slots.front() == Slot(0, 0, "AFTERCANCEL000002")) return;
        EXPECT_LE(job->pages, page + 1) << "pages after Cancel (at page " << page << " of " << pages << ") were printed";
    }
    ADD_FAILURE() << "the job after the cancelled one did not come out";
}

// Hides every printer from the programs of this Wine prefix for as long as it lives, and puts
// them back: Wine keeps its printers, and the default one, in the registry.
class NoPrinters {
public:
    NoPrinters()
    {
        char device[512] = "";
        DWORD size = sizeof device;
        if (RegGetValueA(HKEY_CURRENT_USER, kWindows, "Device", RRF_RT_REG_SZ, nullptr, device, &size) == ERROR_SUCCESS)
            m_device = device;
        m_hidden = MoveTree(kPrinters, kSaved);
        if (m_hidden && !m_device.empty()) RegDeleteKeyValueA(HKEY_CURRENT_USER, kWindows, "Device");
    }
    ~NoPrinters()
    {
        if (MoveTree(kSaved, kPrinters)) RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSaved);
        if (!m_device.empty())
            RegSetKeyValueA(HKEY_CURRENT_USER, kWindows, "Device", REG_SZ, m_device.c_str(),
                            static_cast<DWORD>(m_device.size() + 1));
    }
    NoPrinters(const NoPrinters&) = delete;
    NoPrinters& operator=(const NoPrinters&) = delete;

    bool Hidden() const { return m_hidden; }

private:
    static constexpr const char* kPrinters = "System\\CurrentControlSet\\Control\\Print\\Printers";
    static constexpr const char* kSaved = "Software\\Mardello e2e\\Hidden printers";
    static constexpr const char* kWindows = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

    // Copies the machine's key `from` with all below it to `to`, and empties `from`.
    static bool MoveTree(const char* from, const char* to)
    {
        HKEY source = nullptr, target = nullptr;
        const bool moved =
            RegOpenKeyExA(HKEY_LOCAL_MACHINE, from, 0, KEY_ALL_ACCESS, &source) == ERROR_SUCCESS &&
            RegCreateKeyExA(HKEY_LOCAL_MACHINE, to, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target, nullptr) ==
                ERROR_SUCCESS &&
            RegCopyTreeA(source, nullptr, target) == ERROR_SUCCESS && RegDeleteTreeA(source, nullptr) == ERROR_SUCCESS;
        if (source) RegCloseKey(source);
        if (target) RegCloseKey(target);
        return moved;
    }

    std::string m_device;
    bool m_hidden = false;
};

// A print that cannot happen, and what must hold after it: the program as it was, and the
// next job, once printing can happen again, the first one out and whole.
class FailedPrint : public OutputPrint {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Start(IDC_BTN_TROUBLE_CODE, "P0301\tMisfire\r\n"));
        m_viewer = Viewer();
    }

    // The windows of the program that are open besides the main one.
    std::vector<HWND> OtherWindows()
    {
        std::vector<HWND> windows;
        for (HWND window : WindowsOfProcess(m_session.Process().Id()))
            if (window != m_session.Dialog() && IsWindowVisible(window)) windows.push_back(window);
        return windows;
    }

    // With every printer hidden, runs `print` and closes whatever it opened, none of which may be
    // a print dialog (the system's print dialog may say in a box of its own that there is no
    // printer); then, with the printers back, ExpectNothingChangedThenNextJobWhole.
    void PrintWithoutPrinters(const std::function<void()>& print, const std::string& vin, const std::string& artifact)
    {
        {
            const NoPrinters noPrinters;
            ASSERT_TRUE(noPrinters.Hidden());
            print();
            if (HasFatalFailure()) return;
            for (HWND window : OtherWindows()) {
                EXPECT_EQ(nullptr, GetDlgItem(window, kPrinterList)) << "a print dialog opened";
                PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
            }
            ASSERT_TRUE(WaitUntil([&] { return OtherWindows().empty(); })) << "a window of Print stayed open";
            ASSERT_TRUE(WaitUntilIdle(m_session.Dialog()));
        }
        ExpectNothingChangedThenNextJobWhole(vin, artifact);
    }

    // The program as it was, then the next job whole and the first one out.
    void ExpectNothingChangedThenNextJobWhole(const std::string& vin, const std::string& artifact)
    {
        EXPECT_EQ(m_viewer, Viewer());
        EXPECT_EQ(kVin, Vin());
        EXPECT_TRUE(m_session.Process().Running());
        ASSERT_TRUE(TypeVin(m_session, vin));
        const auto job = PrintAndRead(artifact);
        ASSERT_TRUE(job);
        EXPECT_EQ((std::vector<std::string>{Slot(0, 0, vin), Slot(0, 2, "P0301Misfire")}), PrintedSlots(*job))
            << "the first job out must be the next one";
        EXPECT_EQ(kReady, Status()) << "a job printed puts the device's status back";
    }

    std::string m_viewer;
};

// A printer that refuses the job: nothing comes out, no message appears, the program is as it
// was, and the next job on another printer comes out whole, as the first one after it.
TEST_F(FailedPrint, RefusedJob)
{
    char refusing[256] = "";
    GetEnvironmentVariableA("MARDELLO_PRINTER_REJECTING", refusing, sizeof refusing);
    ASSERT_STRNE("", refusing) << "MARDELLO_PRINTER_REJECTING is not set: source scripts/cups-env.sh";
    ASSERT_TRUE(PrintWithOk(m_session, refusing));
    EXPECT_EQ(std::vector<HWND>{}, OtherWindows()) << "a window other than the main one is open";
    EXPECT_TRUE(ShowsOnlyBlue(m_session, IDC_BTN_PRINT));
    EXPECT_EQ("Not printed: the printer refused the job", Status());
    ExpectNothingChangedThenNextJobWhole("AFTERREFUSED00001", "print-after-refused");
}

// With no printer installed, Print prints nothing and changes nothing; once the printers are
// back, Print works.
TEST_F(FailedPrint, NoPrinterInstalled)
{
    // Whatever window Print opened is open once the click is handled.
    PrintWithoutPrinters([&] { ASSERT_TRUE(StartClick(m_session.Dialog(), IDC_BTN_PRINT)); }, "PRINTERSBACK00001",
                         "print-printers-back");
}

// With no printer installed, the preview lays the page out for A4 at 600 dpi and says so;
// its Print then does what Print does without a printer.
TEST_F(FailedPrint, PreviewWithoutPrinter)
{
    const auto previewThenPrint = [&] {
        PrintPreview preview(m_session);
        ASSERT_TRUE(preview.Open());
        EXPECT_EQ("Print Preview - no printer installed: laid out for A4 at 600 dpi", preview.Title());
        EXPECT_EQ("Page 1 of 1", preview.PageText());
        const auto sheet = preview.Sheet("preview-without-printer");
        ASSERT_TRUE(sheet);
        EXPECT_NEAR(297.0 / 210.0, sheet->Height() / sheet->Width(), 0.01) << "an A4 sheet";
        EXPECT_EQ(3u, sheet->rows.size()) << "the VIN, the report's line and the footer";
        ASSERT_TRUE(preview.PressPrint());
        ASSERT_TRUE(WaitUntil([&] { return preview.Closed(); }));
        ASSERT_TRUE(WaitUntilIdle(m_session.Dialog()));
    };
    PrintWithoutPrinters(previewThenPrint, "PREVIEWBACK000001", "print-after-preview-without-printer");
}

// Clicks Copy and waits for the clipboard to change.
::testing::AssertionResult Copy(MardelloSession& session)
{
    const DWORD before = GetClipboardSequenceNumber();
    auto clicked = ClickButton(session.Dialog(), IDC_BTN_COPY);
    return clicked ? WaitForClipboardChange(before) : clicked;
}

// Ctrl+S, the file name the Save As dialog proposes, then `path` typed in its place and saved.
std::string SaveAs(MardelloSession& session, const std::string& path)
{
    constexpr int kFileName = 0x47C;
    if (!PressKeys("ctrl+s")) return "<no keys>";
    HWND dialog = WaitForVisibleWindow(session.Process().Id(), kDialogClass, session.Dialog());
    const std::string proposed = ControlText(dialog, kFileName).value_or("<no file name box>");
    SetDlgItemTextA(dialog, kFileName, path.c_str());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return WaitUntil([&] { return !IsWindow(dialog); }) && WaitUntilIdle(session.Dialog()) ? proposed : "<not closed>";
}

// The Unicode text on the clipboard, up to its NUL, as UTF-8; what a Unicode program pastes.
std::string PastedUnicode()
{
    const std::string block = ReadClipboardBlock(CF_UNICODETEXT).value_or("");
    const auto* wide = reinterpret_cast<const wchar_t*>(block.data());
    std::string utf8(block.size() * 2, '\0');
    utf8.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(wcsnlen(wide, block.size() / 2)),
                                                        utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr)));
    return utf8;
}

TEST_F(OutputCopy, ViewerTextWithCrLfBreaks)
{
    struct Case {
        const char* name;
        int viewButton;  // 0: the viewer as it is (empty at start-up)
        std::string typed, expected;
    };
    // In this order, each view replacing the one before.
    const Case cases[] = {
        {"empty viewer", 0, "", ""},
        {"all three reports", IDC_BTN_PRINT_ALL, "", Paragraphs(kAllReportsLines) + "\r\n"},
        {"one report, with typed text after its last line", IDC_BTN_TROUBLE_CODE, " checked",
         kAllReportsLines[0] + "\r\n" + kAllReportsLines[1] + " checked"},
    };
    ASSERT_TRUE(Start());
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        if (row.viewButton) {
            ASSERT_TRUE(ClickButton(m_session.Dialog(), row.viewButton));
        }
        if (!row.typed.empty()) {
            ASSERT_TRUE(TypeText(m_session.Dialog(), IDC_RICHEDIT_REPORT, row.typed));
        }
        ASSERT_TRUE(WriteClipboardText("old content"));

        ASSERT_TRUE(Copy(m_session));
        EXPECT_EQ(row.expected, ReadClipboardText().value_or("<no text>"));
        EXPECT_EQ(row.expected.size() + 1, ReadClipboardBlock(CF_TEXT).value_or("").size()) << "the CF_TEXT block";
        EXPECT_EQ(Utf8FromAnsi(row.expected), PastedUnicode());
    }

    // Save As writes the same text; it proposes the VIN, the time of the reports, written today,
    // to the minute ("09-05"), and the report shown.
    const SYSTEMTIME today = Now();
    char date[16];
    snprintf(date, sizeof date, "%04d-%02d-%02d", today.wYear, today.wMonth, today.wDay);
    const ScratchFolder folder;
    const std::string name = SaveAs(m_session, folder.Path() + "\\saved.txt"), start = std::string(kVin) + " " + date + " ";
    EXPECT_EQ(start + name.substr(start.size(), 2) + "-" + name.substr(start.size() + 3, 2) + " Trouble Code.txt", name);
    EXPECT_EQ(cases[2].expected, ReadWholeFile(folder.Path() + "\\saved.txt").value_or("<not saved>"));
}

// Save As over a file on a drive that fills up half-way (a 64 KB file system with 4 KB left):
// the old file stays byte for byte, and the status line says the text was not saved.
TEST_F(OutputCopy, SaveAsOnADriveFillingUpKeepsTheOldFile)
{
    const ScratchFolder mountPoint;
    const std::string unix = mountPoint.UnixPath();
    const auto mounted = RunUnix("mount -t tmpfs -o size=64k tmpfs '" + unix + "'");
    if (!mounted || mounted->status != 0) GTEST_SKIP() << "no small file system can be mounted here";
    struct Unmount {
        std::string unix;
        ~Unmount() { RunUnix("umount '" + unix + "'"); }
    } unmount{unix};
    const std::string old(8192, 'o');
    ASSERT_TRUE(m_drives.Define('S', DriveKind::Fixed, unix));
    ASSERT_TRUE(std::ofstream("S:\\old.txt", std::ios::binary) << old);
    ASSERT_TRUE(RunUnix("dd if=/dev/zero of='" + unix + "/filler' bs=4k; truncate -s -4096 '" + unix + "/filler'"));
    std::string codes;
    while (codes.size() < 20000) codes += "P0301\tCylinder 1 misfire detected\r\n";
    ASSERT_TRUE(Start(IDC_BTN_TROUBLE_CODE, codes));
    ASSERT_TRUE(PressKeys("ctrl+s"));
    const HWND dialog = WaitForVisibleWindow(m_session.Process().Id(), kDialogClass, m_session.Dialog());
    SetDlgItemTextA(dialog, 0x47C, "S:\\old.txt");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    const HWND replace = WaitForVisibleWindow(m_session.Process().Id(), kDialogClass, dialog);
    ASSERT_TRUE(replace) << "no question before replacing the file";
    SendNotifyMessageA(GetDlgItem(replace, IDYES), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }) && WaitUntilIdle(m_session.Dialog()));
    EXPECT_EQ(old, ReadWholeFile("S:\\old.txt").value_or("<gone>"));
    EXPECT_EQ(0u, Status().rfind("Not saved: ", 0)) << Status();
}

// On a Western Windows, Chinese text has no bytes of the system's code page: Save As writes UTF-8
// with a mark, and the status line says so.
TEST_F(OutputCopy, SaveAsOnAWesternSystemWritesChineseAsUtf8)
{
    m_device.Write("DTC.DAT", "\xB9\xCA\xD5\xCF\xC2\xEB P0301\r\n");  // "故障码 P0301" in GBK
    PlugIn();
    ASSERT_TRUE(m_session.Start("C:\\mardello-e2e", "C"));
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_TROUBLE_CODE));
    const ScratchFolder folder;
    SaveAs(m_session, folder.Path() + "\\saved.txt");
    EXPECT_EQ("\xEF\xBB\xBF\xE6\x95\x85\xE9\x9A\x9C\xE7\xA0\x81 P0301", ReadWholeFile(folder.Path() + "\\saved.txt").value_or("<not saved>"));
    EXPECT_EQ(0u, Status().rfind("Saved as UTF-8", 0)) << Status();
}

TEST_F(OutputCopy, KeepsTheTypedVin)
{
    ASSERT_TRUE(Start());
    ASSERT_TRUE(TypeVin(m_session, "WDB11122233344455"));
    ASSERT_TRUE(Copy(m_session));
    // A view command puts the program's VIN back into the box; Copy took the typed one.
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_LIVE_DATA));
    EXPECT_EQ("WDB11122233344455", Vin());
}

TEST_F(OutputCopy, BusyClipboardKeepsTheOldContent)
{
    ASSERT_TRUE(Start(IDC_BTN_PRINT_ALL));
    ASSERT_TRUE(WriteClipboardText("old content"));

    const DWORD before = GetClipboardSequenceNumber();
    ASSERT_TRUE(WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }));
    // The program gives up after its brief retries, and answers again.
    const auto clicked = ClickButton(m_session.Dialog(), IDC_BTN_COPY);
    CloseClipboard();
    ASSERT_TRUE(clicked);
    ASSERT_TRUE(WaitUntilIdle(m_session.Dialog()));
    EXPECT_TRUE(m_session.Process().Running());
    EXPECT_EQ(before, GetClipboardSequenceNumber());
    EXPECT_EQ("old content", ReadClipboardText().value_or("<no text>"));

    // Once the clipboard is free, Copy works again.
    ASSERT_TRUE(Copy(m_session));
    EXPECT_EQ(Paragraphs(kAllReportsLines) + "\r\n", ReadClipboardText().value_or("<no text>"));
}

}  // namespace
}  // namespace e2e
