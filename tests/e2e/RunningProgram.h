#pragma once
// The fixture most end-to-end tests share: a device folder, the drive letters to plug it in and
// pull it out while the program runs, and the program itself. The session ends first, then the
// letters are put back, then the folder goes.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/MardelloSession.h"

namespace e2e {

constexpr const char* kReady = "Ready To Print...";
constexpr const char* kChecking = "Checking Device...";
// The program looks at the drives once a second and promises to follow a change within about two.
constexpr DWORD kFollowMs = 2500;

class RunningProgram : public ::testing::Test {
protected:
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
