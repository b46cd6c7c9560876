#pragma once
// The system's print dialog as Mardello's Print opens it, driven as a user does.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/e2e/MardelloSession.h"

namespace e2e {

// The print dialog's list of printers.
constexpr int kPrinterList = 0x473;

// The print dialog once it is open: a dialog box of the main dialog's thread that is neither
// the main dialog nor the print preview (its title follows the system's language).
inline HWND WaitForPrintDialog(MardelloSession& session, HWND besides = nullptr)
{
    const DWORD thread = GetWindowThreadProcessId(session.Dialog(), nullptr);
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND window : WindowsOfProcess(session.Process().Id()))
            if (!found && window != session.Dialog() && window != besides &&
                GetWindowThreadProcessId(window, nullptr) == thread && IsWindowVisible(window) &&
                ClassOf(window) == kDialogClass)
                found = window;
        return found != nullptr;
    });
    EXPECT_TRUE(found) << "no print dialog appeared";
    return found;
}

// Clicks Print and returns the print dialog it opens.
inline HWND ClickPrint(MardelloSession& session)
{
    EXPECT_TRUE(StartClick(session.Dialog(), IDC_BTN_PRINT));
    return WaitForPrintDialog(session);
}

// The window Print shows while its job goes to the spooler; null when none is open.
inline HWND PrintProgress(MardelloSession& session)
{
    for (HWND window : WindowsOfProcess(session.Process().Id()))
        if (IsWindowVisible(window) && GetDlgItem(window, IDC_PRINT_PROGRESS_PAGE)) return window;
    return nullptr;
}

// Presses OK or Cancel in the print dialog and waits until Print has finished: the dialog
// is gone, the main dialog answers (once the handler returned, or while the job goes to the
// spooler, its progress window open), and no progress window is left.
inline ::testing::AssertionResult Answer(MardelloSession& session, HWND printDialog, int button)
{
    if (!SendNotifyMessageA(GetDlgItem(printDialog, button), BM_CLICK, 0, 0))
        return ::testing::AssertionFailure() << "cannot press button " << button << " of the print dialog";
    if (!WaitUntil([&] { return !IsWindow(printDialog); }))
        return ::testing::AssertionFailure() << "the print dialog stayed open";
    auto idle = WaitUntilIdle(session.Dialog());
    if (idle && !WaitUntil([&] { return !PrintProgress(session); }, 60000))
        return ::testing::AssertionFailure() << "the print job did not end within a minute";
    return idle ? WaitUntilIdle(session.Dialog()) : idle;
}

// Picks a printer in the print dialog's list of printers, as a user does.
inline ::testing::AssertionResult ChoosePrinter(HWND printDialog, const std::string& printer)
{
    HWND list = GetDlgItem(printDialog, kPrinterList);
    if (SendMessageA(list, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(printer.c_str())) == CB_ERR)
        return ::testing::AssertionFailure() << "the print dialog does not list " << printer;
    SendMessageA(printDialog, WM_COMMAND, MAKEWPARAM(kPrinterList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    return ::testing::AssertionSuccess();
}

// Prints `copies` on the printer the dialog offers, or on `printer`.
inline ::testing::AssertionResult PrintWithOk(MardelloSession& session, const std::string& printer = {},
                                              int copies = 1)
{
    HWND printDialog = ClickPrint(session);
    if (!printDialog) return ::testing::AssertionFailure() << "no print dialog";
    auto chosen = printer.empty() ? ::testing::AssertionSuccess() : ChoosePrinter(printDialog, printer);
    constexpr int kCopies = 0x482;
    if (chosen && copies != 1 && !SetDlgItemInt(printDialog, kCopies, static_cast<UINT>(copies), FALSE))
        chosen = ::testing::AssertionFailure() << "the print dialog has no number of copies";
    return chosen ? Answer(session, printDialog, IDOK) : chosen;
}

}  // namespace e2e
