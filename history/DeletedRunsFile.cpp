#include "history/DeletedRunsFile.h"

#include <windows.h>

#include "framework/FileHandle.h"
#include "framework/SystemMessage.h"
#include "reports/ReportFiles.h"

namespace {

constexpr DWORD kLargestNote = 16u << 20;

CString NotePath(const CString& historyFolder) { return historyFolder + "\\" + kDeletedRunsFile; }

}  // namespace

bool PrintOfRun(const CString& runFolder, std::vector<ReportPrint>& run, const std::atomic<bool>& stop)
{
    run.clear();
    std::vector<char> piece(1 << 20);
    for (const ReportFile& report : kRunFiles) {
        const CString path = runFolder + "\\" + report.name;
        const DWORD attributes = ::GetFileAttributesA(path);
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        const FileHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!file.IsOpen()) return false;
        ReportPrint print{report.name, 0, 0};
        ReportHash hash;
        for (DWORD got = 0;; print.size += got) {
            if (stop || !::ReadFile(file.Get(), piece.data(), static_cast<DWORD>(piece.size()), &got, nullptr)) return false;
            if (got == 0) break;
            hash.Add(piece.data(), got);
        }
        print.hash = hash.Value();
        run.push_back(print);
    }
    return true;
}

std::string ReadDeletedRuns(const CString& historyFolder)
{
    const FileHandle file(::CreateFileA(NotePath(historyFolder), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    std::string note;
    if (!file.IsOpen()) return note;
    char piece[64 * 1024];
    for (DWORD got = 0; note.size() < kLargestNote; note.append(piece, got))
        if (!::ReadFile(file.Get(), piece, sizeof piece, &got, nullptr) || got == 0) break;
    return note;
}

bool NoteDeletedRuns(const CString& historyFolder, const std::vector<std::string>& lines, CString& why)
{
    if (lines.empty()) return true;
    // Appended, so two Mardellos deleting at once both write their lines.
    const HANDLE opened = ::CreateFileA(NotePath(historyFolder), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool isNew = ::GetLastError() != ERROR_ALREADY_EXISTS;
    const FileHandle file(opened);
    std::string text = isNew ? kDeletedRunsHeading : "";
    for (const std::string& line : lines) text += line + "\r\n";
    DWORD put = 0;
    if (!file.IsOpen() || !::WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &put, nullptr) ||
        put != text.size()) {
        why = SystemMessage(::GetLastError());
        return false;
    }
    return true;
}
