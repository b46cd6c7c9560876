// The history: every device's run kept once, byte for byte, under Documents\Mardello; found
// again in the history window and shown as a device is; and what happens when it cannot be kept.
#include <gtest/gtest.h>
#include <windows.h>
#include <dbt.h>

#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>

#include "dtc/BeforeAndAfter.h"
#include "jobcard/JobCardFile.h"
#include "tests/e2e/harness/ScratchFolder.h"
#include "tests/e2e/PrintJobs.h"
#include "tests/e2e/Scenario.h"
#include "tests/e2e/harness/UnixSpawn.h"
#include "tests/e2e/harness/WinePaths.h"

namespace e2e {
namespace {

const std::string kVinA = "LSVAU2180N2183294";
const std::string kVinB = "WDB2030461A123456";
const std::string kDtcBefore = "P0301\tMisfire\r\n";
const std::string kDtcAfter = "P0000\tNo fault\r\n";

// The reports in the folder `prefix` ends in as written at a local time ("2026-01-02 03:04:05"):
// the run's time.
void DateReports(const std::string& prefix, const char* when)
{
    SYSTEMTIME local{};
    sscanf(when, "%hu-%hu-%hu %hu:%hu:%hu", &local.wYear, &local.wMonth, &local.wDay, &local.wHour, &local.wMinute,
           &local.wSecond);
    FILETIME localTime, written;
    SystemTimeToFileTime(&local, &localTime);
    LocalFileTimeToFileTime(&localTime, &written);
    for (const char* report : {"VIN.DAT", "DTC.DAT", "CDS.DAT", "FROZEN.DAT"}) {
        const HANDLE file = CreateFileA((prefix + report).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) continue;
        SetFileTime(file, nullptr, nullptr, &written);
        CloseHandle(file);
    }
}

void DateReports(const DeviceFolder& device, const char* when) { DateReports(device.FilePath(""), when); }

// A history listing line per report: "<VIN>\<run>\<file> <size>", the VIN.DAT every run has last.
std::string Kept(const std::string& vin, const char* run, std::initializer_list<std::pair<const char*, size_t>> files = {})
{
    std::string lines;
    for (const auto& [file, size] : files) lines += vin + "\\" + run + "\\" + file + " " + std::to_string(size) + "\n";
    return lines + vin + "\\" + run + "\\VIN.DAT " + std::to_string(vin.size() + 2) + "\n";
}

constexpr const char* kEarlierKeep = "~keeping 99999";
// The history's note of the runs deleted, after one run holding only its VIN.DAT.
const std::string kDeletedNote = "Deleted runs.txt 114\n";

std::string RunFolder(const std::string& vin, const char* run) { return HistoryFolder() + "\\" + vin + "\\" + run; }

// A run written straight into the history, as keeping leaves it; with trouble codes when given.
// Named kEarlierKeep, it is what an earlier version's keep, cut short, left behind.
bool KeepRun(const std::string& vin, const char* run, const std::string& troubleCodes = "")
{
    const std::string folder = RunFolder(vin, run);
    for (const std::string& each : {HistoryFolder(), HistoryFolder() + "\\" + vin, folder}) CreateDirectoryA(each.c_str(), nullptr);
    return (troubleCodes.empty() || std::ofstream(folder + "\\DTC.DAT", std::ios::binary) << troubleCodes) &&
           std::ofstream(folder + "\\VIN.DAT", std::ios::binary) << vin << "\r\n";
}

Step Do(const std::string& what, std::function<void()> action)
{
    return {what, [action](Stage&) {
                action();
                return ::testing::AssertionSuccess();
            }};
}

// The history window once it has opened and is in front.
HWND OpenedHistory(Stage& stage)
{
    HWND history = nullptr;
    WaitUntil([&] { return (history = HistoryWindow(stage.session)) && GetForegroundWindow() == history; });
    return history;
}

// Keys pressed one after another in the history window.
Step HistoryKeys(std::vector<std::string> keys)
{
    return {"press " + keys.front() + "... in the history window", [keys](Stage& stage) {
                if (!OpenedHistory(stage)) return ::testing::AssertionFailure() << "no history window in front";
                for (const std::string& key : keys)
                    if (auto pressed = PressKeys(key); !pressed) return pressed;
                return WaitUntilIdle(stage.session.Dialog());
            }};
}
Step Filter(const std::string& text)
{
    return {"filter \"" + text + "\"", [text](Stage& stage) {
                const HWND history = OpenedHistory(stage);
                SendMessageA(GetDlgItem(history, IDC_HISTORY_FILTER), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
                return TypeText(history, IDC_HISTORY_FILTER, text);
            }};
}
Step ClickInHistory(int id)
{
    return {"click " + std::to_string(id) + " in the history window",
            [id](Stage& stage) { return ClickButton(OpenedHistory(stage), id); }};
}
// The device in E: taken out and put back as media into a card reader, which keeps the drive
// list as it was: the program looks at it again, and a VIN typed over the box gives way to the
// device's once it has.
Step LookAgain(const std::string& vin)
{
    return {"the device looked at again", [vin](Stage& stage) {
                SendMessageA(stage.session.Control(IDC_EDIT_VIN), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("TYPED"));
                for (WPARAM event : {DBT_DEVICEREMOVECOMPLETE, DBT_DEVICEARRIVAL}) {
                    DEV_BROADCAST_VOLUME volume{sizeof volume, DBT_DEVTYP_VOLUME, 0, 1u << ('E' - 'A'), DBTF_MEDIA};
                    DWORD_PTR answer = 0;
                    if (!SendMessageTimeoutA(stage.session.Dialog(), WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&volume),
                                             SMTO_NORMAL, kDefaultTimeoutMs, &answer))
                        return ::testing::AssertionFailure() << "no answer to WM_DEVICECHANGE";
                }
                if (WaitUntil([&] { return stage.session.Text(IDC_EDIT_VIN) == vin; }, kFollowMs))
                    return ::testing::AssertionSuccess();
                return ::testing::AssertionFailure() << "VIN box " << stage.session.Text(IDC_EDIT_VIN);
            }};
}

// The history folder chosen for one test; the settings are gone afterwards, as the benchmark,
// which shares the prefix, keeps its history in Documents.
struct ChosenHistoryFolder {
    explicit ChosenHistoryFolder(const std::string& folder) { Choose(folder); }
    ~ChosenHistoryFolder()
    {
        RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, MARDELLO_SETTINGS_ROOT "\\EarlierRunsCopiedInto");
    }
    static void Choose(const std::string& folder)
    {
        HKEY settings = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &settings, nullptr);
        RegSetValueExA(settings, "HistoryFolder", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()), static_cast<DWORD>(folder.size() + 1));
        RegCloseKey(settings);
    }
};

// Keeping runs on a thread below the window's, which a busy machine may hold back for a while.
constexpr DWORD kKeptMs = 10000;

class History : public Scenario {
protected:
    DeviceFolder m_other{kVinB};
};

// Looked at again, the same run is not kept twice, and with its trouble codes changed the
// device has a second run. The history window's note says when keeping is done.
TEST_F(History, KeepsEachRunOnceAndShowsAKeptRunAsADevice)
{
    const auto runA1 = Kept(kVinA, "2026-01-02 03-04-05", {{"DTC.DAT", kDtcBefore.size()}});
    const auto runA2 = Kept(kVinA, "2026-02-03 04-05-06", {{"DTC.DAT", kDtcAfter.size()}});
    const auto runB = Kept(kVinB, "2026-01-05 00-00-00");
    m_device.Write("DTC.DAT", kDtcBefore);
    DateReports(m_device, "2026-01-02 03:04:05");
    DateReports(m_other, "2026-01-05 00:00:00");
    ASSERT_TRUE(m_session.Start());
    Play({
        Plug('E', m_device), Expect(Shown::History, runA1, kKeptMs),
        LookAgain(kVinA), Keys("ctrl+h"), Expect(Shown::HistoryNote, "", kKeptMs), Expect(Shown::History, runA1, kKeptMs),
        HistoryKeys({"Escape"}),
        Do("change the trouble codes", [&] { m_device.Write("DTC.DAT", kDtcAfter), DateReports(m_device, "2026-02-03 04:05:06"); }),
        LookAgain(kVinA), Keys("ctrl+h"), Expect(Shown::HistoryNote, "", kKeptMs), Expect(Shown::History, runA1 + runA2, kKeptMs),
        HistoryKeys({"Escape"}),
        Pull('E'), Plug('F', m_other), Expect(Shown::History, runA1 + runA2 + runB, kKeptMs),
        Pull('F'), Expect(Shown::Status, kChecking),
        Keys("ctrl+h"), Expect(Shown::HistoryRows, "3, row 1"),
        Do("look at it", [&] { SaveScreenshot(HistoryWindow(m_session), "history-window"); }),
        Filter("1a123"), Expect(Shown::HistoryRows, "1, row 1"),
        Filter("au2"), Expect(Shown::HistoryRows, "2, row 1"),
        HistoryKeys({"Down", "Return"}),  // newest first: the second row is the first run
        Expect(Shown::Status, "Kept run of 2026-01-02 03:04:05"), Expect(Shown::Vin, kVinA),
        Click(IDC_BTN_TROUBLE_CODE), Expect(Shown::Viewer, "P0301    Misfire"),
    });
    EXPECT_EQ(kDtcBefore, ReadWholeFile(RunFolder(kVinA, "2026-01-02 03-04-05") + "\\DTC.DAT").value_or(""));
    EXPECT_EQ(kVinA + "\r\n", ReadWholeFile(RunFolder(kVinA, "2026-01-02 03-04-05") + "\\VIN.DAT").value_or(""));
    // Typed keys go to the filter at once; deleting the run shown puts the status back.
    Play({
        Keys("ctrl+h"), HistoryKeys({"z", "z"}), Expect(Shown::HistoryRows, "No kept run matches"),
        HistoryKeys({"BackSpace", "BackSpace", "Down", "Down"}), Expect(Shown::HistoryRows, "3, row 3"),
        ClickInHistory(IDC_HISTORY_DELETE), Expect(Shown::HistoryRows, "2, row 2"), HistoryKeys({"Escape"}),
        Expect(Shown::Status, kChecking),
        Plug('G', m_other), Expect(Shown::Status, kReady), Expect(Shown::Vin, kVinB),
    });
}

// A run kept while the history window is open leaves the user's choice chosen: Del deletes it,
// not the run that took its row. The keep is held up until then by a program holding its
// temporary folder, which it waits for.
TEST_F(History, DeleteWhileAKeepArrivesDeletesTheChosenRun)
{
    for (const char* run : {"2026-01-01 00-00-00", "2026-01-03 00-00-00"}) ASSERT_TRUE(KeepRun(kVinB, run));
    DateReports(m_device, "2026-01-02 00:00:00");
    ASSERT_TRUE(m_session.Start());
    char computer[MAX_COMPUTERNAME_LENGTH + 1] = "";
    DWORD length = sizeof computer;
    GetComputerNameA(computer, &length);
    const std::string keeping = HistoryFolder() + "\\~keeping " + computer + " " + std::to_string(m_session.Process().Id());
    CreateDirectoryA(keeping.c_str(), nullptr);
    HANDLE held = CreateFileA(keeping.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    Play({
        Plug('E', m_device), Expect(Shown::Status, kReady), Keys("ctrl+h"), Expect(Shown::HistoryRows, "2, row 1"),
        HistoryKeys({"Down"}), Expect(Shown::HistoryRows, "2, row 2"),
        Do("let the keep go on", [&] { CloseHandle(held); }),
        Expect(Shown::HistoryRows, "3, row 3", kKeptMs), HistoryKeys({"Tab", "Delete"}),
        Expect(Shown::History, kDeletedNote + Kept(kVinA, "2026-01-02 00-00-00") + Kept(kVinB, "2026-01-03 00-00-00")),
    });
}

// Two runs selected go together at one Delete, and a keep arriving afterwards, tried again
// meanwhile while another program holds a report, brings neither back.
TEST_F(History, DeletesEverySelectedRunAndAKeepArrivingBringsNoneBack)
{
    for (const char* run : {"2026-01-01 00-00-00", "2026-01-03 00-00-00", "2026-01-04 00-00-00"}) ASSERT_TRUE(KeepRun(kVinB, run));
    m_device.Write("DTC.DAT", kDtcBefore);
    DateReports(m_device, "2026-01-02 03:04:05");
    HANDLE held = CreateFileA(m_device.FilePath("DTC.DAT").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    ASSERT_TRUE(m_session.Start());
    Play({
        Plug('E', m_device), Expect(Shown::Status, kReady), Keys("ctrl+h"), Expect(Shown::HistoryRows, "3, row 1"),
        HistoryKeys({"Tab", "Home", "shift+Down", "Delete"}), Expect(Shown::HistoryRows, "1, row 1"),
        Expect(Shown::HistoryNote, "2 runs moved to the Recycle Bin."),
        Do("release the report", [&] { CloseHandle(held); }),
        Expect(Shown::History, "Deleted runs.txt 143\n" + Kept(kVinA, "2026-01-02 03-04-05", {{"DTC.DAT", kDtcBefore.size()}}) + Kept(kVinB, "2026-01-01 00-00-00"), kKeptMs),
        Expect(Shown::HistoryRows, "2, row 2", kKeptMs),
    });
}

// A report another program holds, and the device taken out while keeping waits for it: keeping
// stops, and the note says the run could not be kept.
TEST_F(History, BusyKeepOfADeviceTakenOutSaysTheRunWasNotKept)
{
    m_device.Write("DTC.DAT", kDtcBefore);
    DateReports(m_device, "2026-01-02 03:04:05");
    HANDLE held = CreateFileA(m_device.FilePath("DTC.DAT").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    ASSERT_TRUE(m_session.Start());
    Play({
        Plug('E', m_device), Expect(Shown::Status, kReady), Keys("ctrl+h"),
        Expect(Shown::HistoryNote, "Waiting to keep the reports of the last device found: another program holds one of them...", kKeptMs),
        Pull('E'),
        Expect(Shown::HistoryNote, "The run " + kVinA + " of 2026-01-02 03:04:05 could not be kept: the device was taken out while "
                                   "another program held one of its reports.", kKeptMs),
    });
    CloseHandle(held);
    EXPECT_EQ("", HistoryListing());
}

// A variable of the Unix environment, which Wine keeps partly from Windows programs (HOME).
std::string UnixVariable(const std::string& name)
{
    std::istringstream variables(ReadWholeFile(DosPath("/proc/self/environ")).value_or(""));
    for (std::string variable; std::getline(variables, variable, '\0');)
        if (variable.rfind(name + "=", 0) == 0) return variable.substr(name.size() + 1);
    return {};
}

// The Recycle Bin's folder of deleted files: under Wine, the desktop's trash.
std::string RecycleBinFiles()
{
    std::string data = UnixVariable("XDG_DATA_HOME");
    if (data.empty()) data = UnixVariable("HOME") + "/.local/share";
    return DosPath(data + "/Trash/files");
}

std::vector<std::string> EntriesOf(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry{};
    const HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return names;
    do names.push_back(entry.cFileName);
    while (FindNextFileA(find, &entry));
    FindClose(find);
    return names;
}

// Delete moves the run to the Recycle Bin, from where the user can bring it back: gone from the
// list and the history, its reports are in the bin.
TEST_F(History, DeleteMovesTheRunToTheRecycleBin)
{
    const std::string codes = "P0301\tMisfire " + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) + "\r\n";
    ASSERT_TRUE(KeepRun(kVinB, "2026-01-03 00-00-00", codes));
    const std::string bin = RecycleBinFiles();
    const std::vector<std::string> before = EntriesOf(bin);
    std::string binned;
    const auto inTheBin = [&] {
        for (const std::string& name : EntriesOf(bin))
            if (std::find(before.begin(), before.end(), name) == before.end() &&
                ReadWholeFile(bin + "\\" + name + "\\DTC.DAT").value_or("") == codes)
                return !(binned = name).empty();
        return false;
    };
    ASSERT_TRUE(m_session.Start());
    Play({Keys("ctrl+h"), Expect(Shown::HistoryRows, "1, row 1"), ClickInHistory(IDC_HISTORY_DELETE),
          Expect(Shown::HistoryRows, "No run has been kept yet")});
    EXPECT_TRUE(WaitUntil(inTheBin)) << "not in " << bin;
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(RunFolder(kVinB, "2026-01-03 00-00-00").c_str()));
    if (!binned.empty()) RemoveTree(bin + "\\" + binned), DeleteFileA((bin + "\\..\\info\\" + binned + ".trashinfo").c_str());
}

// A file the user drops into a kept run leaves it the same run; deleted, the run is not kept again
// while the device holds the same reports, and the note says so.
TEST_F(History, DeletedRunStaysDeleted)
{
    const auto run = Kept(kVinA, "2026-01-02 03-04-05", {{"DTC.DAT", kDtcBefore.size()}});
    const std::string dropped = kVinA + "\\2026-01-02 03-04-05\\desktop.ini 6\n";
    m_device.Write("DTC.DAT", kDtcBefore);
    DateReports(m_device, "2026-01-02 03:04:05");
    ASSERT_TRUE(m_session.Start());
    Play({
        Plug('E', m_device), Expect(Shown::History, run, kKeptMs),
        Do("drop a file into the run", [&] { std::ofstream(RunFolder(kVinA, "2026-01-02 03-04-05") + "\\desktop.ini") << "[View]"; }),
        LookAgain(kVinA), Keys("ctrl+h"), Expect(Shown::HistoryNote, "", kKeptMs), Expect(Shown::History, run + dropped),
        ClickInHistory(IDC_HISTORY_DELETE), Expect(Shown::HistoryRows, "No run has been kept yet"), HistoryKeys({"Escape"}),
        LookAgain(kVinA), Keys("ctrl+h"),
        Expect(Shown::HistoryNote, "The run " + kVinA + " of 2026-01-02 03:04:05 was deleted from the history: it is not kept again.", kKeptMs),
        Do("look at it", [&] { SaveScreenshot(HistoryWindow(m_session), "history-deleted-run"); }),
    });
    EXPECT_EQ(std::string::npos, HistoryListing().find(kVinA)) << HistoryListing();
}

// Turned off in the history window, keeping writes nothing; turned on again, the next device is kept.
TEST_F(History, KeepingTurnedOffWritesNothing)
{
    DateReports(m_other, "2026-01-05 00:00:00");
    ASSERT_TRUE(m_session.Start());
    Play({
        Keys("ctrl+h"), ClickInHistory(IDC_HISTORY_KEEP), HistoryKeys({"Escape"}),
        Plug('E', m_device), Expect(Shown::Status, kReady),
        Keys("ctrl+h"), ClickInHistory(IDC_HISTORY_KEEP), HistoryKeys({"Escape"}),
        Pull('E'), Plug('F', m_other), Expect(Shown::History, Kept(kVinB, "2026-01-05 00-00-00"), kKeptMs),
    });
}

// A report another program holds without sharing it delays keeping; released, the run is kept.
TEST_F(History, ReportHeldByAnotherProgramIsKeptOnceReleased)
{
    m_device.Write("DTC.DAT", kDtcBefore);
    DateReports(m_device, "2026-01-02 03:04:05");
    HANDLE held = CreateFileA(m_device.FilePath("DTC.DAT").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    ASSERT_TRUE(m_session.Start());
    Play({
        Plug('E', m_device), Expect(Shown::Status, kReady), Keys("ctrl+h"),
        Expect(Shown::HistoryNote, "Waiting to keep the reports of the last device found: another program holds one of them...", kKeptMs),
        HistoryKeys({"Escape"}), Do("release the report", [&] { CloseHandle(held); }),
        Expect(Shown::History, Kept(kVinA, "2026-01-02 03-04-05", {{"DTC.DAT", kDtcBefore.size()}}), kKeptMs),
    });
}

// Closed in the middle of a large keep, the program leaves no half copy; started again with the
// device still there, it keeps the run whole.
TEST_F(History, ClosedWhileKeepingLeavesNoHalfCopy)
{
    m_device.Write("CDS.DAT", std::string(200u << 20, 'x'));
    DateReports(m_device, "2026-01-02 03:04:05");
    const auto whole = Kept(kVinA, "2026-01-02 03-04-05", {{"CDS.DAT", 200u << 20}});
    ASSERT_TRUE(m_session.Start());
    Play({Plug('E', m_device), Expect(Shown::Status, kReady)});
    ASSERT_TRUE(WaitUntil([] { return !HistoryListing().empty(); }, kKeptMs));
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_EXIT));
    ASSERT_TRUE(m_session.Process().WaitForExit(20000, nullptr));
    const std::string left = HistoryListing();
    EXPECT_TRUE(left.empty() || left == whole) << left;
    MardelloSession again;
    ASSERT_TRUE(again.Start());
    EXPECT_TRUE(WaitUntil([&] { return HistoryListing() == whole; }, 30000)) << HistoryListing();
    ASSERT_TRUE(ClickButton(again.Dialog(), IDC_BTN_EXIT));
    ASSERT_TRUE(again.Process().WaitForExit(20000, nullptr));
}

// Print All clicked as soon as a device with a large live-data report is plugged in, while that
// report is being kept: the view holds all three reports, and the run is kept once, byte for byte.
TEST_F(History, KeepWhileViewing)
{
    // Past its end-of-file mark, where the view stops, the report is large: the keeper copies it
    // for a second or so, the view reads it at once.
    const std::string liveData = "Engine speed\t812\trpm\r\n\x1A" + std::string(96u << 20, 'x');
    const std::string frozen = "Vehicle speed\t0\tkm/h\r\n";
    m_device.Write("DTC.DAT", kDtcBefore);
    m_device.Write("CDS.DAT", liveData);
    m_device.Write("FROZEN.DAT", frozen);
    DateReports(m_device, "2026-01-02 03:04:05");
    ASSERT_TRUE(m_session.Start());
    Play({Plug('E', m_device), Expect(Shown::Status, kReady)});
    ASSERT_TRUE(WaitUntil([] {
        const std::string listing = HistoryListing();
        return listing.find("\\CDS.DAT") != std::string::npos && listing.find("~keeping ") != std::string::npos;
    })) << "the live data is not being kept:\n" << HistoryListing();
    Play({Click(IDC_BTN_PRINT_ALL)});
    const std::string view = Viewer();
    for (const char* report : {"P0301    Misfire", "Engine speed    812    rpm", "Vehicle speed    0    km/h"})
        EXPECT_NE(std::string::npos, view.find(report)) << report << " is not in the view:\n" << view;
    const auto whole =
        Kept(kVinA, "2026-01-02 03-04-05", {{"CDS.DAT", liveData.size()}, {"DTC.DAT", kDtcBefore.size()}, {"FROZEN.DAT", frozen.size()}});
    EXPECT_TRUE(WaitUntil([&] { return HistoryListing() == whole; }, kKeptMs)) << HistoryListing();
    EXPECT_TRUE(ReadWholeFile(RunFolder(kVinA, "2026-01-02 03-04-05") + "\\CDS.DAT") == liveData);
}

// Ended at any moment of a keep, as by a crash or a power cut, the program leaves no half run and
// no run twice; the next start clears what was left, an earlier version's too, and keeps the run.
TEST_F(History, EndedAtAnyMomentOfAKeepLeavesNoHalfRun)
{
    m_device.Write("CDS.DAT", std::string(48u << 20, 'x'));
    m_device.Write("DTC.DAT", kDtcBefore);
    DateReports(m_device, "2026-01-02 03:04:05");
    const auto whole = Kept(kVinA, "2026-01-02 03-04-05", {{"CDS.DAT", 48u << 20}, {"DTC.DAT", kDtcBefore.size()}});
    const auto runsListed = [] {
        std::istringstream listing(HistoryListing());
        std::string runs;
        for (std::string line; std::getline(listing, line);)
            if (line.find("~keeping ") == std::string::npos) runs += line + "\n";
        return runs;
    };
    PlugIn();
    // The moments are spread over a whole keep as long as it takes here, from the window shown.
    ASSERT_TRUE(m_session.Start());
    const ULONGLONG started = GetTickCount64();
    ASSERT_TRUE(WaitUntil([&] { return HistoryListing() == whole; }, 30000)) << HistoryListing();
    const DWORD keepMs = static_cast<DWORD>(GetTickCount64() - started);
    m_session.Process().Kill();
    std::mt19937 random(GetTickCount());
    for (int end = 0; end < 20; ++end) {
        RemoveTree(RunFolder(kVinA, "2026-01-02 03-04-05"));
        const DWORD moment = std::uniform_int_distribution<DWORD>(keepMs * end / 20, keepMs * (end + 1) / 20)(random);
        MardelloSession session;
        ASSERT_TRUE(session.Start());
        Sleep(moment);
        session.Process().Kill();
        const std::string runs = runsListed();
        ASSERT_TRUE(runs.empty() || runs == whole) << "ended " << moment << " ms of " << keepMs << " ms after the start:\n" << runs;
    }
    ASSERT_TRUE(KeepRun(kVinA, kEarlierKeep, "half"));
    MardelloSession again;
    ASSERT_TRUE(again.Start());
    EXPECT_TRUE(WaitUntil([&] { return HistoryListing() == whole; }, 30000)) << HistoryListing();
}

// A file where the history folder should be: nothing can be kept, the program goes on, and the
// history window and the status line say which run and why.
TEST_F(History, HistoryThatCannotBeWrittenIsSaidInTheWindow)
{
    ASSERT_TRUE(std::ofstream(HistoryFolder()) << "in the way");
    m_device.Write("DTC.DAT", kDtcBefore);
    DateReports(m_device, "2026-01-02 03:04:05");
    StartWithDevice();
    Play({Keys("ctrl+h")});
    const std::string note = "The run " + kVinA + " of 2026-01-02 03:04:05 could not be kept: making the folder " +
                             HistoryFolder() + ":";
    std::string shown;
    EXPECT_TRUE(WaitUntil([&] { return (shown = ControlText(HistoryWindow(m_session), IDC_HISTORY_FAILURE).value_or("")).rfind(note, 0) == 0; }))
        << shown;
    EXPECT_EQ(0u, (shown = m_session.Text(IDC_STATIC_STATUS)).rfind(note, 0)) << shown;
    SaveScreenshot(HistoryWindow(m_session), "history-cannot-keep");
    Play({
        HistoryKeys({"Escape"}),
        Click(IDC_BTN_TROUBLE_CODE), Expect(Shown::Viewer, "P0301    Misfire"),
    });
}

// The share the history is on is down while a run is kept: the run waits on this PC, the
// status line says so, and at the next start with the share back it is there once, whole, and
// no longer waits.
TEST_F(History, RunKeptWhileTheShareIsDownIsSharedWhenItIsBack)
{
    ScratchFolder share;
    char local[MAX_PATH] = "";
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local)));
    const std::string outbox = std::string(local) + "\\Mardello\\Outbox";
    RemoveTree(outbox);
    const ChosenHistoryFolder chosen("S:\\Mardello");
    m_device.Write("DTC.DAT", kDtcBefore);
    DateReports(m_device, "2026-01-02 03:04:05");
    const auto run = Kept(kVinA, "2026-01-02 03-04-05", {{"DTC.DAT", kDtcBefore.size()}});
    StartWithDevice();
    Play({
        Expect(Shown::Status, "Kept on this PC; it will be shared when S:\\Mardello is back", kKeptMs),
        Keys("ctrl+h"), Expect(Shown::HistoryRows, "1, row 1"),
        Do("look at it", [&] { SaveScreenshot(HistoryWindow(m_session), "history-waiting"); }),
    });
    EXPECT_EQ(run, HistoryListing(outbox));
    m_session.Process().Kill();
    ASSERT_TRUE(m_drives.Define('S', DriveKind::Network, share.UnixPath()));
    MardelloSession again;
    ASSERT_TRUE(again.Start());
    EXPECT_TRUE(WaitUntil([&] { return HistoryListing(share.Path() + "\\Mardello") == run && HistoryListing(outbox).empty(); }, kKeptMs))
        << HistoryListing(share.Path() + "\\Mardello") << "outbox:\n" << HistoryListing(outbox);
    EXPECT_TRUE(ReadWholeFile(share.Path() + "\\Mardello\\" + kVinA + "\\2026-01-02 03-04-05\\DTC.DAT") == kDtcBefore);
}

// Runs kept on this PC before the history moved to a share are offered once, copied there
// beside the one the share already has, and stay on this PC.
TEST_F(History, RunsKeptEarlierAreCopiedIntoTheShareOnceOffered)
{
    ScratchFolder share;
    const ChosenHistoryFolder chosen("S:\\Mardello");
    ASSERT_TRUE(m_drives.Define('S', DriveKind::Network, share.UnixPath()));
    ASSERT_TRUE(KeepRun(kVinA, "2026-01-01 00-00-00", kDtcBefore) && KeepRun(kVinB, "2026-01-02 00-00-00"));
    DateReports(RunFolder(kVinA, "2026-01-01 00-00-00") + "\\", "2026-01-01 00:00:00");
    DateReports(RunFolder(kVinB, "2026-01-02 00-00-00") + "\\", "2026-01-02 00:00:00");
    const std::string local = HistoryListing();
    const std::string shared = share.Path() + "\\Mardello\\" + kVinB + "\\2026-01-02 00-00-00";
    for (const std::string& each : {share.Path() + "\\Mardello", share.Path() + "\\Mardello\\" + kVinB, shared})
        CreateDirectoryA(each.c_str(), nullptr);
    ASSERT_TRUE(std::ofstream(shared + "\\VIN.DAT", std::ios::binary) << kVinB << "\r\n");
    DateReports(shared + "\\", "2026-01-02 00:00:00");
    const auto offered = [](Stage& stage) { return IsWindowVisible(GetDlgItem(HistoryWindow(stage.session), IDC_HISTORY_COPY_EARLIER)) != FALSE; };
    ASSERT_TRUE(m_session.Start());
    Play({
        Keys("ctrl+h"), Expect(Shown::HistoryRows, "1, row 1", kKeptMs),
        {"the offer shown", [&](Stage& stage) { return ::testing::AssertionResult(WaitUntil([&] { return offered(stage); })); }},
        Do("look at it", [&] { SaveScreenshot(HistoryWindow(m_session), "history-earlier-offer"); }),
        ClickInHistory(IDC_HISTORY_COPY_EARLIER),
        Expect(Shown::HistoryRows, "2, row 1", kKeptMs),
        Expect(Shown::HistoryNote, "The runs kept earlier on this PC are in S:\\Mardello too.", kKeptMs),
        {"the offer gone", [&](Stage& stage) { return ::testing::AssertionResult(!offered(stage)); }},
    });
    EXPECT_EQ(local, HistoryListing());
    const std::string listing = HistoryListing(share.Path() + "\\Mardello");
    EXPECT_EQ(Kept(kVinA, "2026-01-01 00-00-00", {{"DTC.DAT", kDtcBefore.size()}}) + Kept(kVinB, "2026-01-02 00-00-00"), listing);

    // Remembered for that folder only: another one chosen later is offered them once too.
    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_EXIT));
    ASSERT_TRUE(m_session.Process().WaitForExit(20000, nullptr));
    CreateDirectoryA((share.Path() + "\\Other").c_str(), nullptr);
    for (const char* folder : {"S:\\Mardello", "S:\\Other"}) {
        ChosenHistoryFolder::Choose(folder);
        MardelloSession session;
        ASSERT_TRUE(session.Start());
        Stage stage{session, m_drives};
        PlayRows(stage, {Keys("ctrl+h"), Expect(Shown::HistoryNote, "", kKeptMs)}, __FILE__, __LINE__);
        EXPECT_EQ(folder == std::string("S:\\Other"), offered(stage)) << folder;
        ASSERT_TRUE(ClickButton(session.Dialog(), IDC_BTN_EXIT));
        ASSERT_TRUE(session.Process().WaitForExit(20000, nullptr));
    }
}

// The other PC of the next test, started in a Wine prefix of its own by it: the share is its S:.
// It keeps a run of its own, lists the first PC's beside it, keeps that one again from its own
// device, and deletes its own.
TEST_F(History, DISABLED_OtherPcOfTheWorkshop)
{
    const char* share = getenv("MARDELLO_SHARE");
    ASSERT_TRUE(share);
    const ChosenHistoryFolder chosen("S:\\Mardello");
    ASSERT_TRUE(m_drives.Define('S', DriveKind::Network, share));
    m_device.Write("VIN.DAT", kVinB + "\r\n");
    DateReports(m_device, "2026-01-02 02:02:02");
    StartWithDevice();
    // The keyboard is the first PC's, whose window has the display's focus.
    const Step openHistory{"open the history", [](Stage& stage) {
                               return ::testing::AssertionResult(PostMessageA(stage.session.Dialog(), WM_COMMAND, IDM_HISTORY, 0) != FALSE);
                           }};
    Play({
        openHistory, Expect(Shown::HistoryRows, "2, row 1", 30000),
        // Nothing more is done here until then: the first PC's window sees the keep on its own.
        {"the first PC lists this one's run", [](Stage&) {
             return ::testing::AssertionResult(WaitUntil([] { return GetFileAttributesA("S:\\first-pc-listed") != INVALID_FILE_ATTRIBUTES; }, 60000));
         }},
        Do("the first PC's run put in the device", [&] {
            m_device.Write("VIN.DAT", kVinA + "\r\n");
            m_device.Write("DTC.DAT", kDtcBefore);
            DateReports(m_device, "2026-01-01 01:01:01");
        }),
        ClickInHistory(IDCANCEL), LookAgain(kVinA), openHistory, Expect(Shown::HistoryNote, "", kKeptMs),
        Expect(Shown::HistoryRows, "2, row 1"),
        ClickInHistory(IDC_HISTORY_DELETE), Expect(Shown::HistoryRows, "1, row 1"),
    });
}

// Two PCs of one workshop keep into one folder, one reaching it as \\office\workshop, the other
// as S:. Each window lists the other's runs, a run both keep is kept once, and a delete on one
// leaves the other's window.
TEST_F(History, TwoPcsKeepIntoOneShareAndFollowEachOther)
{
    ScratchFolder share;
    const char* prefix = getenv("WINEPREFIX");
    ASSERT_TRUE(prefix);
    const std::string unc = std::string(prefix) + "/dosdevices/unc/office";
    ASSERT_EQ(0, SpawnUnix({"mkdir", "-p", unc}, true));
    ASSERT_EQ(0, SpawnUnix({"ln", "-sfn", share.UnixPath(), unc + "/workshop"}, true));
    struct Unlink { std::string link; ~Unlink() { SpawnUnix({"rm", "-f", link}, true); } } unlink{unc + "/workshop"};
    // A prefix of its own, a copy of this one, with another computer name.
    const std::string other = std::string(prefix) + "-other-pc";
    ASSERT_EQ(0, SpawnUnix({"sh", "-c", "[ -d '" + other + "' ] || cp -a '" + prefix + "' '" + other + "'"}, true));
    const ChosenHistoryFolder chosen("\\\\office\\workshop\\Mardello");
    m_device.Write("DTC.DAT", kDtcBefore);
    DateReports(m_device, "2026-01-01 01:01:01");
    StartWithDevice();
    Play({Keys("ctrl+h"), Expect(Shown::HistoryRows, "1, row 1", kKeptMs)});
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string done = share.UnixPath() + "/other-pc";
    ASSERT_EQ(0, SpawnUnix({"unshare", "-u", "sh", "-c",
                            "hostname BAY2 && WINEPREFIX='" + other + "' MARDELLO_SHARE='" + share.UnixPath() + "' wine '" +
                                UnixPath(self) + "' --gtest_filter=History.DISABLED_OtherPcOfTheWorkshop --gtest_also_run_disabled_tests >'" +
                                done + ".log' 2>&1; echo $? >'" + done + ".rc'"},
                           false));
    // Its start, in a prefix not used for a while, takes long on a busy machine.
    const std::string run = share.Path() + "\\Mardello\\" + kVinB;
    ASSERT_TRUE(WaitUntil([&] { return GetFileAttributesA(run.c_str()) != INVALID_FILE_ATTRIBUTES; }, 120000));
    const DWORD kept = GetTickCount();
    Play({Expect(Shown::HistoryRows, "2, row 2", 15000)});
    std::cout << "the other PC's run listed " << GetTickCount() - kept << " ms after it was kept\n";
    std::ofstream(share.Path() + "\\first-pc-listed") << "";
    EXPECT_TRUE(WaitUntil([&] { return GetFileAttributesA((share.Path() + "\\other-pc.rc").c_str()) != INVALID_FILE_ATTRIBUTES; }, 120000));
    EXPECT_EQ("0\n", ReadWholeFile(share.Path() + "\\other-pc.rc").value_or("")) << ReadWholeFile(share.Path() + "\\other-pc.log").value_or("");
    Play({Expect(Shown::HistoryRows, "1, row 1", 15000)});
    const std::string listing = HistoryListing(share.Path() + "\\Mardello");
    EXPECT_EQ(kDeletedNote + Kept(kVinA, "2026-01-01 01-01-01", {{"DTC.DAT", kDtcBefore.size()}}), listing);
}

// The run shown, deleted by another PC, is left, and the status line says why.
TEST_F(History, ShownRunDeletedElsewhereIsLeft)
{
    ASSERT_TRUE(KeepRun(kVinA, "2026-01-01 00-00-00"));
    ASSERT_TRUE(m_session.Start());
    Play({
        Keys("ctrl+h"), Expect(Shown::HistoryRows, "1, row 1"), HistoryKeys({"Return"}),
        Expect(Shown::Status, "Kept run of 2026-01-01 00:00:00"), Keys("ctrl+h"),
        Do("delete it elsewhere", [&] { RemoveTree(HistoryFolder() + "\\" + kVinA); }),
        Expect(Shown::Status, "The run of 2026-01-01 00:00:00 was deleted on another PC: it is no longer in the history.", 15000),
    });
}

// Runs another PC keeps into the history, as a keep does, from a temporary folder into a VIN's
// folder, and deletes there, come and go in the open window.
TEST_F(History, OpenWindowFollowsRunsKeptAndDeletedElsewhere)
{
    ASSERT_TRUE(KeepRun(kVinA, "2026-01-01 00-00-00"));
    ASSERT_TRUE(KeepRun(kVinB, "2026-01-02 00-00-00"));
    const std::string keeping = HistoryFolder() + "\\~keeping OFFICE 1";
    ASSERT_TRUE(m_session.Start());
    Play({
        Keys("ctrl+h"), Expect(Shown::HistoryRows, "2, row 1"),
        Do("keep a run elsewhere", [&] {
            CreateDirectoryA(keeping.c_str(), nullptr);
            std::ofstream(keeping + "\\VIN.DAT") << kVinA << "\r\n";
            MoveFileA(keeping.c_str(), RunFolder(kVinA, "2026-01-03 00-00-00").c_str());
        }),
        Expect(Shown::HistoryRows, "3, row 2", 15000),
        Do("delete a vehicle's last run elsewhere", [&] { RemoveTree(HistoryFolder() + "\\" + kVinB); }),
        Expect(Shown::HistoryRows, "2, row 1", 15000),
    });
}

// Deleting a VIN's last run removes the VIN's folder, even with what an earlier version's keep left there.
TEST_F(History, DeletingTheLastRunRemovesItsVinFolder)
{
    ASSERT_TRUE(KeepRun(kVinB, "2026-01-03 00-00-00", kDtcBefore));
    ASSERT_TRUE(KeepRun(kVinB, kEarlierKeep, "half"));
    const std::string vinFolder = HistoryFolder() + "\\" + kVinB;
    ASSERT_TRUE(m_session.Start());
    Play({Keys("ctrl+h"), Expect(Shown::HistoryRows, "1, row 1"), ClickInHistory(IDC_HISTORY_DELETE)});
    EXPECT_TRUE(WaitUntil([&] { return GetFileAttributesA(vinFolder.c_str()) == INVALID_FILE_ATTRIBUTES; })) << HistoryListing();
}

// Wine shows a Unix link to a folder as a reparse point: runs behind a linked VIN folder are
// not listed, the run beside them is.
TEST_F(History, RunsBehindALinkedFolderAreNotListed)
{
    ASSERT_TRUE(KeepRun(kVinA, "2026-01-02 03-04-05", kDtcBefore));
    ScratchFolder elsewhere;
    ASSERT_TRUE(elsewhere.WriteFile("2026-01-03 00-00-00\\VIN.DAT", kVinB + "\r\n"));
    const std::string link = UnixPath(HistoryFolder()) + "/" + kVinB;
    ASSERT_EQ(0, SpawnUnix({"ln", "-s", elsewhere.UnixPath(), link}, true));
    ASSERT_TRUE(m_session.Start());
    Play({Keys("ctrl+h"), Expect(Shown::HistoryRows, "1, row 1")});
    SpawnUnix({"rm", link}, true);  // the history's removal between tests leaves links under Wine
}

// Before and after a repair: the two runs side by side, on the screen and on paper, and the
// history searched by a trouble code.
TEST_F(History, ComparesTwoRunsAndFindsRunsByTroubleCode)
{
    const std::string before = "System: ECM\r\nP0301\tcurrent\tMisfire\r\nP0171\tcurrent\tLean\r\nP0420\thistory\tCatalyst\r\n";
    const std::string after = "System: ECM\r\nP0420\tcurrent\tCatalyst\r\nP0455\tcurrent\tEVAP leak\r\n";
    ASSERT_TRUE(KeepRun(kVinA, "2026-01-02 03-04-05", before));
    ASSERT_TRUE(KeepRun(kVinA, "2026-02-03 04-05-06", after));
    // The comparison's wording is the unit tests'; here, that the window shows it for these runs.
    // The view is UTF-8; the viewer's text is read here in the system's code page, GBK.
    const std::string comparison = AnsiFromUtf8(BeforeAndAfterView(kVinA.c_str(), {"2026-01-02 03:04:05", ReportRead::Whole, FindTroubleCodes(before)},
                                                                   {"2026-02-03 04:05:06", ReportRead::Whole, FindTroubleCodes(after)}).Bytes());
    // The viewer starts with the comparison's first line, not with an empty one.
    const std::string shown = comparison.compare(0, 2, "\r\n") == 0 ? comparison.substr(2) : comparison;
    ASSERT_NE(std::string::npos, comparison.find("Cleared / \xD2\xD1\xC7\xE5\xB3\xFD\r\n    ECM\r\n        P0301    before: current \xA1\xA4 after: \xA1\xAA    Misfire\r\n        P0171"));
    PdfFolder pdfs;
    ASSERT_TRUE(m_session.Start());
    Play({
        Keys("ctrl+h"), Expect(Shown::HistoryRows, "2, row 1"),
        HistoryKeys({"Tab", "Home", "shift+Down"}),
        Do("look at it", [&] { SaveScreenshot(HistoryWindow(m_session), "history-compare"); }),
        ClickInHistory(IDC_HISTORY_COMPARE),
        Expect(Shown::Viewer, shown), Expect(Shown::Vin, kVinA),
        Expect(Shown::Status, "Compared: 2026-01-02 03:04 and 2026-02-03 04:05"),
        Do("look at it", [&] { SaveScreenshot(m_session.Dialog(), "before-and-after"); }),
        Print(),
    });
    const auto job = pdfs.ReadNewJob("print-before-and-after");
    ASSERT_TRUE(job);
    std::string printed;
    for (const PrintedLine& line : job->lines) printed += WithoutSpaces(line.text) + "\n";
    // The header, the groups and the counts: the lines that are not indented.
    std::istringstream lines(comparison);
    for (std::string line; std::getline(lines, line);) {
        line.erase(line.find_last_not_of('\r') + 1);
        if (line.empty() || line[0] == ' ') continue;
        EXPECT_NE(std::string::npos, printed.find("\n" + WithoutSpaces(Utf8FromAnsi(line)) + "\n")) << line << " is not in:\n" << printed;
    }
    Play({
        Keys("ctrl+h"), Filter("P0171"), Expect(Shown::HistoryRows, "1, row 1"),
        HistoryKeys({"Return"}), Expect(Shown::Status, "Kept run of 2026-01-02 03:04:05"),
        Keys("ctrl+h"), Filter(kVinA.substr(3, 5)), Expect(Shown::HistoryRows, "2, row 1"),
        HistoryKeys({"Home"}), ClickInHistory(IDC_HISTORY_COMPARE_PREVIOUS), Expect(Shown::Viewer, shown),
    });
}


// The job details of a device's run, typed in Chinese, go on every printed page with the notes
// after the report; they are there after a restart, the filter finds the run by its plate, and
// the same device plugged again keeps no second run.
TEST_F(History, JobDetailsGoWithTheRunOnPaperAndIntoTheHistory)
{
    const std::string plate = "\xE7\xB2\xA4" "B12345", customer = "\xE5\xBC\xA0\xE4\xB8\x89",
                      job = "\xE5\xB7\xA5\xE5\x8D\x95-7", notes = "\xE5\xB7\xA6\xE5\x89\x8D\xE5\x88\xB9\xE8\xBD\xA6\xE7\x89\x87";  // 左前刹车片
    const std::vector<std::pair<int, std::string>> fields = {
        {IDC_JOB_PLATE, plate}, {IDC_JOB_MILEAGE, "45000"}, {IDC_JOB_CUSTOMER, customer}, {IDC_JOB_NUMBER, job},
        {IDC_JOB_NOTES, notes}};
    std::string codes;  // two pages of them
    for (int k = 0; k < 80; ++k) codes += "P0" + std::to_string(300 + k) + "\tMisfire\r\n";
    m_device.Write("DTC.DAT", codes);
    DateReports(m_device, "2026-01-02 03:04:05");
    JobCard card;
    card.plate = plate.c_str(), card.mileage = "45000", card.customer = customer.c_str(), card.jobNumber = job.c_str(),
    card.notes = notes.c_str();
    const std::string kept = Kept(kVinA, "2026-01-02 03-04-05", {{"DTC.DAT", codes.size()}, {"JOB.TXT", JobCardFileText(card).Size()}});
    const auto jobDetails = [](MardelloSession& session) {
        HWND window = nullptr;
        WaitUntil([&] { return (window = FindVisibleWindow(session.Process().Id(), kDialogClass, session.Dialog())) &&
                               GetDlgItem(window, IDC_JOB_PLATE); });
        return window && WaitUntilIdle(window) ? window : nullptr;
    };
    PdfFolder pdfs;
    ASSERT_TRUE(m_session.Start());
    Play({Plug('E', m_device), Expect(Shown::History, Kept(kVinA, "2026-01-02 03-04-05", {{"DTC.DAT", codes.size()}}), kKeptMs),
          Click(IDC_BTN_TROUBLE_CODE), Keys("ctrl+j")});
    HWND details = jobDetails(m_session);
    ASSERT_TRUE(details);
    for (const auto& [id, text] : fields) ASSERT_TRUE(TypeText(details, id, AnsiFromUtf8(text)));
    SaveScreenshot(details, "job-details");
    ASSERT_TRUE(ClickButton(details, IDOK));
    Play({Expect(Shown::History, kept), Print()});

    const auto printed = pdfs.ReadNewJob("print-job-card");
    ASSERT_TRUE(printed);
    ASSERT_GE(printed->pages, 2);
    std::vector<std::string> pages(static_cast<size_t>(printed->pages));
    for (const PrintedLine& line : printed->lines) pages[static_cast<size_t>(line.page)] += WithoutSpaces(line.text) + "\n";
    for (const std::string& page : pages) {
        EXPECT_NE(std::string::npos, page.find("Plate:" + plate)) << page;
        EXPECT_NE(std::string::npos, page.find("Job:" + job)) << page;
    }
    // After the report's last line; poppler may split a line's words at the tab.
    const size_t lastCode = pages.back().find("P0379"), notesHeading = pages.back().find("\nNotes\n" + notes + "\n");
    EXPECT_TRUE(lastCode != std::string::npos && notesHeading != std::string::npos && lastCode < notesHeading) << pages.back();

    ASSERT_TRUE(ClickButton(m_session.Dialog(), IDC_BTN_EXIT));
    ASSERT_TRUE(m_session.Process().WaitForExit(20000, nullptr));
    MardelloSession again;
    ASSERT_TRUE(again.Start());
    // Once the device's run is found kept, its details are the kept run's.
    PlayRows({again, m_drives},
             {Expect(Shown::Status, kReady), Keys("ctrl+h"), Expect(Shown::HistoryNote, "", kKeptMs),
              Filter(AnsiFromUtf8(plate.substr(0, 4))), Expect(Shown::HistoryRows, "1, row 1"),
              Do("look at it", [&] { SaveScreenshot(HistoryWindow(again), "history-plate"); }),
              Filter("xb1"), Expect(Shown::HistoryRows, "No kept run matches"), HistoryKeys({"Escape"}), Keys("ctrl+j")},
             __FILE__, __LINE__);
    details = jobDetails(again);
    ASSERT_TRUE(details);
    for (const auto& [id, text] : fields) EXPECT_EQ(text, Utf8FromAnsi(ControlText(details, id).value_or(""))) << id;
    ASSERT_TRUE(ClickButton(details, IDCANCEL));
    PlayRows({again, m_drives},
             {LookAgain(kVinA), Keys("ctrl+h"), Expect(Shown::HistoryNote, "", kKeptMs), Expect(Shown::History, kept),
              HistoryKeys({"Escape"})},
             __FILE__, __LINE__);
    ASSERT_TRUE(ClickButton(again.Dialog(), IDC_BTN_EXIT));
    ASSERT_TRUE(again.Process().WaitForExit(20000, nullptr));
}

// A share that stops answering once listed holds neither window up while it deletes the run
// shown: the history window, opened again meanwhile too, says the run is being moved, with
// Delete grey. Once the share answers, the system asks whether to delete the run for good, the
// Recycle Bin being on another disk under Wine as on a server; Yes, with the history window
// closed, leaves the run shown without a word of another PC. A window held up would be held up
// for 40 s, by which the share answers: the test fails, not hangs.
TEST_F(History, DeleteOnAShareThatStopsAnsweringHoldsNoWindowUp)
{
    ScratchFolder share;
    ASSERT_TRUE(share.WriteFile("held\\Mardello\\" + kVinA + "\\2026-01-01 00-00-00\\VIN.DAT", kVinA + "\r\n"));
    ASSERT_TRUE(share.MakeFolder("mounted"));
    const std::string flag = share.Path() + "\\stopped", mounted = share.UnixPath() + "/mounted";
    ASSERT_EQ(0, SpawnUnix({"/usr/bin/python3", MARDELLO_HANGING_SHARE, share.UnixPath() + "/held", mounted, UnixPath(flag), "40"}, false));
    struct Unmount { std::string flag, folder; ~Unmount() { DeleteFileA(flag.c_str()), SpawnUnix({"fusermount", "-uz", folder}, true); } }
        unmount{flag, mounted};
    if (!WaitUntil([&] { return GetFileAttributesA((share.Path() + "\\mounted\\Mardello").c_str()) != INVALID_FILE_ATTRIBUTES; }, 5000))
        GTEST_SKIP() << "no FUSE to make a share that hangs";
    const ChosenHistoryFolder chosen("S:\\Mardello");
    ASSERT_TRUE(m_drives.Define('S', DriveKind::Network, mounted));
    ASSERT_TRUE(m_session.Start());
    DWORD longest = 0;
    const auto answers = [&](HWND window) {
        const DWORD sent = GetTickCount();
        DWORD_PTR ignored = 0;
        const bool answered = SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kDefaultTimeoutMs, &ignored);
        return longest = std::max(longest, GetTickCount() - sent), answered;
    };
    const auto question = [&] {
        for (HWND window : WindowsOfProcess(m_session.Process().Id()))
            if (IsWindowVisible(window) && ClassOf(window) == kDialogClass && window != m_session.Dialog() && window != HistoryWindow(m_session))
                return window;
        return HWND{};
    };
    Play({
        Keys("ctrl+h"), Expect(Shown::HistoryRows, "1, row 1", kKeptMs), HistoryKeys({"Return"}),
        Expect(Shown::Status, "Kept run of 2026-01-01 00:00:00"), Keys("ctrl+h"), Expect(Shown::HistoryRows, "1, row 1", kKeptMs),
        Do("stop the share", [&] { std::ofstream(flag) << ""; }), ClickInHistory(IDC_HISTORY_DELETE),
        Expect(Shown::HistoryNote, "Moving 1 run to the Recycle Bin..."),
        {"both windows answer, Delete grey", [&](Stage& stage) {
             for (int i = 0; i < 20; ++i, Sleep(100))
                 if (!answers(HistoryWindow(stage.session)) || !answers(stage.session.Dialog())) return ::testing::AssertionFailure();
             SaveScreenshot(HistoryWindow(stage.session), "history-deleting-on-a-hung-share");
             return ::testing::AssertionResult(!IsWindowEnabled(GetDlgItem(HistoryWindow(stage.session), IDC_HISTORY_DELETE)));
         }},
        HistoryKeys({"Escape"}), Keys("ctrl+h"), Expect(Shown::HistoryNote, "Moving 1 run to the Recycle Bin..."), HistoryKeys({"Escape"}),
        Do("let the share answer, and say Yes", [&] { DeleteFileA(flag.c_str()), WaitUntil(question), PostMessageA(question(), WM_COMMAND, IDYES, 0); }),
        Expect(Shown::Status, kChecking, kKeptMs),
    });
    EXPECT_TRUE(WaitUntil([&] { return GetFileAttributesA((share.Path() + "\\held\\Mardello\\" + kVinA).c_str()) == INVALID_FILE_ATTRIBUTES; }));
    std::cout << "the windows answered within " << longest << " ms while the share hung\n";
}

}  // namespace
}  // namespace e2e
