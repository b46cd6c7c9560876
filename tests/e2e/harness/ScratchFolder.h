#pragma once
// A folder of files made for one test (the device's PRINT folder and its reports, a fixed
// disk with a decoy), removed with everything in it when the test ends.

#include <gtest/gtest.h>

#include <string>

namespace e2e {

class ScratchFolder {
public:
    ScratchFolder();  // a new empty folder under the Windows temporary folder
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();

    const std::string& Path() const { return path_; }  // Windows path, no trailing backslash
    std::string UnixPath() const;                       // the same folder for a drive letter

    // Makes `relative` (and the folders above it) inside this folder.
    ::testing::AssertionResult MakeFolder(const std::string& relative) const;
    // Writes `bytes` exactly as given to the file `relative`, making its folders first.
    ::testing::AssertionResult WriteFile(const std::string& relative, const std::string& bytes) const;

private:
    std::string path_;
};

}  // namespace e2e
