#include "tests/e2e/harness/ScratchFolder.h"

#include "tests/e2e/harness/WinePaths.h"

#include <windows.h>

namespace e2e {

namespace {

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

ScratchFolder::ScratchFolder()
{
    char temp[MAX_PATH];
    const DWORD length = GetTempPathA(MAX_PATH, temp);
    const std::string base = length ? std::string(temp, length) : "C:\\";
    // The process id and a counter keep folders of the same and of parallel runs apart.
    static unsigned counter = 0;
    for (;;) {
        const std::string candidate =
            base + "e2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            ADD_FAILURE() << "cannot make a scratch folder " << candidate << ": error " << GetLastError();
            return;
        }
    }
}

ScratchFolder::~ScratchFolder()
{
    if (!path_.empty())
        RemoveTree(path_);
}

std::string ScratchFolder::UnixPath() const
{
    return e2e::UnixPath(path_);
}

::testing::AssertionResult ScratchFolder::MakeFolder(const std::string& relative) const
{
    if (path_.empty())
        return ::testing::AssertionFailure() << "the scratch folder was not made";
    std::string path = path_;
    size_t start = 0;
    while (start <= relative.size()) {
        const size_t end = relative.find('\\', start);
        path += "\\" + relative.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!CreateDirectoryA(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return ::testing::AssertionFailure() << "cannot make " << path << ": error " << GetLastError();
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult ScratchFolder::WriteFile(const std::string& relative, const std::string& bytes) const
{
    const size_t slash = relative.rfind('\\');
    if (slash != std::string::npos) {
        if (auto made = MakeFolder(relative.substr(0, slash)); !made)
            return made;
    }
    const std::string path = path_ + "\\" + relative;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return ::testing::AssertionFailure() << "cannot create " << path << ": error " << GetLastError();
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != bytes.size())
        return ::testing::AssertionFailure() << "cannot write " << path;
    return ::testing::AssertionSuccess();
}

}  // namespace e2e
