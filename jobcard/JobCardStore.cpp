#include "jobcard/JobCardStore.h"

#include <windows.h>

#include <string>
#include <utility>

#include "framework/AnsweredWork.h"

#include "framework/FileHandle.h"

namespace {

// Far more than the fields hold even in four-byte characters; a longer file is read in part.
constexpr DWORD kJobFileReadBytes = 64 * 1024;

CString JobFilePath(const CString& runFolder) { return runFolder + "\\" + kJobCardFileName; }

}  // namespace

JobCardRead ReadJobCardOf(const CString& runFolder, CString* note)
{
    const FileHandle file(::CreateFileA(JobFilePath(runFolder), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        0, nullptr));
    if (!file.IsOpen()) {
        const DWORD error = ::GetLastError();
        if (note && error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
            *note = "Job details could not be read";
        return JobCardRead();
    }
    LARGE_INTEGER size{};
    const bool small = ::GetFileSizeEx(file.Get(), &size) && size.QuadPart <= static_cast<LONGLONG>(kJobFileReadBytes);
    std::string bytes(small ? static_cast<size_t>(size.QuadPart) : kJobFileReadBytes, '\0');
    DWORD got = 0, read = 0;
    while (got < bytes.size() &&
           ::ReadFile(file.Get(), &bytes[got], static_cast<DWORD>(bytes.size() - got), &read, nullptr) && read > 0)
        got += read;
    JobCardRead card = ReadJobCard(bytes.data(), got, small && got == bytes.size());
    if (note) *note = JobCardTroubleText(card.trouble);
    return card;
}

unsigned long WriteJobCardOf(const CString& runFolder, const JobCard& card)
{
    const CString path = JobFilePath(runFolder);
    const CString fresh = path + ".new";
    const CString text = JobCardFileText(card);
    {
        const FileHandle file(::CreateFileA(fresh, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsOpen()) return ::GetLastError();
        DWORD written = 0;
        if (!::WriteFile(file.Get(), text.GetString(), static_cast<DWORD>(text.Size()), &written, nullptr) ||
            written != text.Size() || !::FlushFileBuffers(file.Get())) {
            const DWORD error = ::GetLastError();
            ::DeleteFileA(fresh);
            return error ? error : ERROR_WRITE_FAULT;
        }
    }
    if (::MoveFileExA(fresh, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
    const DWORD error = ::GetLastError();
    ::DeleteFileA(fresh);
    return error;
}

std::optional<JobCardRead> ReadJobCardWhileAnswered(const CString& runFolder, CString* note)
{
    using ReadWithNote = std::pair<JobCardRead, CString>;
    std::optional<ReadWithNote> read = ResultWhileAnswered<ReadWithNote>([runFolder](WorkProgress&) {
        CString said;
        JobCardRead card = ReadJobCardOf(runFolder, &said);
        return ReadWithNote(std::move(card), said);
    });
    if (!read) return std::nullopt;
    if (note) *note = read->second;
    return std::move(read->first);
}

std::optional<unsigned long> WriteJobCardWhileAnswered(const CString& runFolder, const JobCard& card)
{
    return ResultWhileAnswered<unsigned long>(
        [runFolder, card](WorkProgress&) { return WriteJobCardOf(runFolder, card); });
}
