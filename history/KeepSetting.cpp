#include "history/KeepSetting.h"

#include "framework/WinApp.h"

namespace {
constexpr const char* kSettingsSection = "Settings";
constexpr const char* kKeepEntry = "KeepReports";
}  // namespace

bool KeepsReports()
{
    const CWinApp* app = AfxGetApp();
    return !app || app->GetProfileInt(kSettingsSection, kKeepEntry, 1) != 0;
}

bool SetKeepsReports(bool keep)
{
    const CWinApp* app = AfxGetApp();
    return app && app->WriteProfileInt(kSettingsSection, kKeepEntry, keep ? 1 : 0);
}
