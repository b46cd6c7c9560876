#pragma once
// Paths cross between the Unix side (ctest, the build tree, the folders behind drive letters)
// and the Windows side (what the programs under test open). Wine's kernel32 converts them.

#include <string>

namespace e2e {

// The Windows path (ANSI code page) of a Unix path (UTF-8): "/work/x" becomes "Z:\work\x" while
// Z: is the root. A Windows path comes back unchanged. Empty when Wine cannot convert it.
std::string DosPath(const std::string& path);

// The Unix path (UTF-8) behind a Windows path; empty when it has none.
std::string UnixPath(const std::string& windowsPath);

// The environment variable `name` as a Windows path; empty when it is not set.
std::string PathFromEnvironment(const char* name);

}  // namespace e2e
