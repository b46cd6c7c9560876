#include "dtc/RunReport.h"

#include <windows.h>

#include <string>

#include "reports/ReportFiles.h"

namespace {

// The device writes a few kilobytes; of a larger file, the codes at its start are found.
constexpr DWORD kLargestRead = 1024 * 1024;

bool ReadReport(const CString& path, std::string& bytes)
{
    const HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const DWORD size = ::GetFileSize(file, nullptr);
    bool read = size != INVALID_FILE_SIZE;
    if (read) {
        bytes.resize(size < kLargestRead ? size : kLargestRead);
        DWORD got = 0;
        read = bytes.empty() || ::ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr);
        bytes.resize(got);
    }
    ::CloseHandle(file);
    return read;
}

}  // namespace

RunCodes CodesOfRun(const CString& runFolder, const CString& runTime)
{
    RunCodes run;
    run.runTime = runTime;
    std::string report;
    run.hasReport = ReadReport(runFolder + "\\" + kTroubleCodes.name, report);
    if (run.hasReport) run.codes = FindTroubleCodes(CString(std::move(report)));
    return run;
}
