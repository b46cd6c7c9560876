#pragma once
// How long a dialog program takes from being started until a user sees its first content:
// its dialog visible with the expected text in one of its edits, and then painted.
#include <string>

namespace bench {

struct StartTimes {
    double answeringMs;  // the dialog visible, and its edit answering with the text
    double paintedMs;    // that, and no part of the dialog waiting to be painted
};

// Starts `exe` (a Windows path) in `workingDirectory` with `arguments`, times it until its
// visible dialog shows `text` in control `editId`, and ends the program.
StartTimes TimeUntilShown(const std::string& exe, const std::string& workingDirectory, int editId,
                          const std::string& text, const std::string& arguments = {});

}  // namespace bench
