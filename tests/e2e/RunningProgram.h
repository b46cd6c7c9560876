#pragma once
// The fixture most end-to-end tests share: a device folder, the drive letters to plug it in and
// pull it out while the program runs, and the program itself. The session ends first, then the
// letters are put back, then the folder goes.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "tests/e2e/MardelloSession.h"

namespace e2e {

constexpr const char* kReady = "Ready To Print...";
constexpr const char* kChecking = "Checking Device...";
// The program looks at the drives once a second and promises to follow a change within about two.
constexpr DWORD kFollowMs = 2500;

// The viewer's paragraphs as WM_GETTEXT gives them: each break as CR LF.
inline std::string Paragraphs(const std::vector<std::string>& lines)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
    return text;
}

// The kept runs' folder under the user's documents.
inline std::string HistoryFolder()
{
    char documents[MAX_PATH] = "";
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents))) return {};
    return std::string(documents) + "\\Mardello";
}

// A file or a folder with everything in it.
inline void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..") RemoveTree(path + "\\" + name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    if (!RemoveDirectoryA(path.c_str())) DeleteFileA(path.c_str());
}

// The program's settings: "应用程序向导生成的本地应用程序" (in GBK) is the root it registers;
// the keep setting and the workshop's details are below it.
#define MARDELLO_SETTINGS_ROOT "Software\\\xD3\xA6\xD3\xC3\xB3\xCC\xD0\xF2\xCF\xF2\xB5\xBC\xC9\xFA\xB3\xC9" \
                               "\xB5\xC4\xB1\xBE\xB5\xD8\xD3\xA6\xD3\xC3\xB3\xCC\xD0\xF2\\Mardello"
constexpr const char* kSettingsKey = MARDELLO_SETTINGS_ROOT "\\Settings";
constexpr const char* kWorkshopKey = MARDELLO_SETTINGS_ROOT "\\Workshop";

// The history window, while the main window has it open.
inline HWND HistoryWindow(MardelloSession& session)
{
    const HWND window = FindVisibleWindow(session.Process().Id(), kDialogClass, session.Dialog());
    return window && GetDlgItem(window, IDC_HISTORY_LIST) ? window : nullptr;
}

// The dialog a system-menu command opens (the About box, Workshop Details), once its loop
// answers: then it has drawn itself and takes input.
inline HWND OpenFromSystemMenu(MardelloSession& session, WPARAM command)
{
    if (!PostMessageA(session.Dialog(), WM_SYSCOMMAND, command, 0)) return nullptr;
    const HWND dialog = WaitForVisibleWindow(session.Process().Id(), kDialogClass, session.Dialog());
    return dialog && WaitUntilIdle(dialog) ? dialog : nullptr;
}

class RunningProgram : public ::testing::Test {
protected:
    // Each test starts with an empty history, keeping on and no workshop details, as on a new PC.
    void SetUp() override
    {
        RemoveTree(HistoryFolder());
        RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, kWorkshopKey);
    }

    // Plugs `device` in as a removable drive while the program runs, or before it starts.
    void PlugIn(char letter, const DeviceFolder& device)
    {
        ASSERT_TRUE(m_drives.Define(letter, DriveKind::Removable, device.Unix()));
    }
    void PlugIn(char letter = 'E') { PlugIn(letter, m_device); }
    void PullOut(char letter = 'E') { ASSERT_TRUE(m_drives.Remove(letter)); }

    // The usual start: the device as E:, then the program.
    void StartWithDevice()
    {
        PlugIn();
        ASSERT_TRUE(m_session.Start());
    }

    std::string Status() const { return m_session.Text(IDC_STATIC_STATUS); }
    std::string Vin() const { return m_session.Text(IDC_EDIT_VIN); }
    std::string Viewer() const { return m_session.Text(IDC_RICHEDIT_REPORT); }

    // Waits until the status line and the VIN box show these.
    ::testing::AssertionResult Shows(const std::string& status, const std::string& vin, DWORD timeoutMs = kFollowMs) const
    {
        if (WaitUntil([&] { return Status() == status && Vin() == vin; }, timeoutMs))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "status \"" << Status() << "\", VIN \"" << Vin() << "\"; expected \""
                                             << status << "\", \"" << vin << "\"";
    }

    DeviceFolder m_device;
    DriveTable m_drives;
    MardelloSession m_session;
};

}  // namespace e2e
