// Save As: the viewer's text, as shown and edited, into a text file for Notepad and e-mail: the
// system code page's bytes with CR LF line ends, the same text Copy puts on the clipboard.
#include <windows.h>
#include <shlobj.h>

#include "framework/FileDialog.h"
#include "framework/SystemLibrary.h"
#include "output/ClipboardText.h"
#include "output/SaveAsName.h"
#include "ui/MardelloDlg.h"

namespace {

constexpr const char* kTextFiles = "Text files (*.txt)|*.txt|All files (*.*)|*.*|";

// Documents\Mardello, made when missing; empty when the system names no Documents folder.
CString MardelloDocuments()
{
    const auto getFolderPath = LoadSystemFunction<decltype(&::SHGetFolderPathA)>("shell32.dll", "SHGetFolderPathA");
    char documents[MAX_PATH] = "";
    if (!getFolderPath || FAILED(getFolderPath(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents)))
        return CString();
    const CString folder = CString(documents) + "\\Mardello";
    ::CreateDirectoryA(folder, nullptr);
    return folder;
}

CString Today()
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    char date[16];
    ::wsprintfA(date, "%04u-%02u-%02u", now.wYear, now.wMonth, now.wDay);
    return date;
}

const char* ReportName(int viewButton)
{
    switch (viewButton) {
    case IDC_BTN_PRINT_ALL: return "All Reports";
    case IDC_BTN_TROUBLE_CODE: return "Trouble Codes";
    case IDC_BTN_LIVE_DATA: return "Live Data";
    case IDC_BTN_FROZEN_FRAME: return "Freeze Frame";
    default: return "Report";
    }
}

CString SystemMessage(DWORD error)
{
    char text[256] = "";
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, sizeof text,
                     nullptr);
    CString message(text);
    return message.TrimRight();
}

// Written beside the file under another name and put in its place only when whole, so a full
// disk or a pulled-out stick leaves the old file as it was. Returns the system's error, or 0.
DWORD WriteWhole(const CString& path, const CString& bytes)
{
    const CString partial = path + ".saving";
    HANDLE file = ::CreateFileA(partial, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return ::GetLastError();
    DWORD written = 0;
    BOOL whole = ::WriteFile(file, bytes.GetString(), static_cast<DWORD>(bytes.Size()), &written, nullptr) &&
                 written == bytes.Size() && ::FlushFileBuffers(file);
    DWORD error = whole ? 0 : ::GetLastError();
    if (!::CloseHandle(file) && whole) error = ::GetLastError();
    if (error == 0 && !::MoveFileExA(partial, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = ::GetLastError();
    if (error != 0) ::DeleteFileA(partial);
    return error;
}

}  // namespace

void CMardelloDlg::OnSaveAs()
{
    UpdateData(TRUE);
    const CString name = SaveAsName(m_strVin, Today(), ReportName(m_nShownReports));
    CFileDialog dialog(FALSE, "txt", name, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY, kTextFiles,
                       this);
    dialog.SetInitialFolder(MardelloDocuments());
    if (dialog.DoModal() != IDOK) return;
    const DWORD error = WriteWhole(dialog.GetPathName(), ClipboardText(ViewerText()));
    if (error == 0) return;
    // As a failed print, said in the status line until the device's next coming or going.
    m_strStatus = "Not saved: " + SystemMessage(error);
    ShowStatus();
}
