#pragma once
// How long a dialog program takes from being started until a user sees its first content:
// its dialog visible with the expected text in one of its edits.
#include <string>

namespace bench {

// Starts `exe` (a Windows path) in `workingDirectory` with `arguments`, returns the milliseconds
// from the start until its visible dialog shows `text` in control `editId`, and ends the program.
double TimeUntilShown(const std::string& exe, const std::string& workingDirectory, int editId, const std::string& text,
                      const std::string& arguments = {});

}  // namespace bench
