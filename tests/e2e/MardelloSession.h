#pragma once
// Mardello as a test meets it: a device folder to plug in, the program started from C: the
// way a user starts it, its main dialog, and the pictures its command buttons show.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/harness/Harness.h"

namespace e2e {

// A device's drive: a folder whose PRINT folder holds the given reports.
class DeviceFolder {
public:
    explicit DeviceFolder(const std::string& vin = "LSVAU2180N2183294", const char* folderName = "PRINT")
        : m_folderName(folderName)
    {
        EXPECT_TRUE(m_root.MakeFolder(m_folderName));
        if (!vin.empty()) Write("VIN.DAT", vin + "\r\n");
    }
    void Write(const std::string& file, const std::string& bytes) const
    {
        EXPECT_TRUE(m_root.WriteFile(m_folderName + "\\" + file, bytes)) << file;
    }
    std::string FilePath(const std::string& file) const { return m_root.Path() + "\\" + m_folderName + "\\" + file; }
    std::string Unix() const { return m_root.UnixPath(); }
    const ScratchFolder& Root() const { return m_root; }

private:
    ScratchFolder m_root;
    std::string m_folderName;
};

// The program copied to C:, so that it runs whatever the other drive letters are.
inline std::string InstalledMardello()
{
    static std::string path;
    if (!path.empty()) return path;
    const std::string built = PathFromEnvironment("MARDELLO_EXE");
    CreateDirectoryA("C:\\mardello-e2e", nullptr);
    const std::string copy = "C:\\mardello-e2e\\Mardello.exe";
    if (!built.empty() && CopyFileA(built.c_str(), copy.c_str(), FALSE)) path = copy;
    return path;
}

class MardelloSession {
public:
    // Starts the program in `workingDirectory` (or from Unix under another `unixLocale`) and
    // waits for its main dialog.
    ::testing::AssertionResult Start(const std::string& workingDirectory = "C:\\mardello-e2e",
                                     const std::string& unixLocale = {})
    {
        const std::string exe = InstalledMardello();
        if (exe.empty()) return ::testing::AssertionFailure() << "MARDELLO_EXE is not set or cannot be copied to C:";
        auto started = unixLocale.empty() ? m_program.Start(exe, workingDirectory)
                                          : m_program.StartUnderLocale(exe, unixLocale);
        if (!started) return started;
        m_dialog = WaitForVisibleWindow(m_program.Id(), kDialogClass);
        if (!m_dialog) return ::testing::AssertionFailure() << "no main dialog appeared";
        return WaitUntilIdle(m_dialog);
    }

    HWND Dialog() const { return m_dialog; }
    Program& Process() { return m_program; }
    std::string Text(int id) const { return ControlText(m_dialog, id).value_or("<no control>"); }
    HWND Control(int id) const { return GetDlgItem(m_dialog, id); }

private:
    Program m_program;
    HWND m_dialog = nullptr;
};

constexpr COLORREF kActiveBlue = RGB(56, 153, 209);
constexpr COLORREF kNormalGrey = RGB(86, 86, 86);

// The command buttons, top to bottom.
constexpr int kCommandButtons[] = {IDC_BTN_PRINT_ALL, IDC_BTN_TROUBLE_CODE, IDC_BTN_LIVE_DATA,
                                   IDC_BTN_FROZEN_FRAME, IDC_BTN_PRINT, IDC_BTN_COPY};

// The share of a button's pixels (or of `part` of it) that have the colour; its picture is the
// only sign of which button is active, so the screen is what tells.
inline double ShareOfColour(HWND button, COLORREF colour, const RECT* part = nullptr)
{
    auto picture = CaptureWindow(button, part);
    if (!picture || picture->pixels.empty()) return -1;
    size_t hits = 0;
    for (COLORREF pixel : picture->pixels) hits += pixel == colour;
    return static_cast<double>(hits) / static_cast<double>(picture->pixels.size());
}

// The command buttons whose picture is mostly the active blue.
inline std::vector<int> BlueButtons(const MardelloSession& session)
{
    std::vector<int> blue;
    for (int id : kCommandButtons)
        if (ShareOfColour(session.Control(id), kActiveBlue) > 0.5) blue.push_back(id);
    return blue;
}

// Waits until the screen shows `id` as the one blue button: a picture changes on screen only
// once the program has painted it, after its handler has returned.
inline ::testing::AssertionResult ShowsOnlyBlue(const MardelloSession& session, int id)
{
    std::vector<int> blue;
    if (WaitUntil([&] { return (blue = BlueButtons(session)) == std::vector<int>{id}; }, 5000))
        return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure() << "blue buttons:";
    for (int button : blue) failure << " " << button;
    return failure;
}

}  // namespace e2e
