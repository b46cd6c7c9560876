#pragma once
// "Print All" against its floor, one WM_SETTEXT of the very text it produced into the same
// viewer, sent inside the program as Print All's own update is. Each is timed twice: until its
// handler returned, and until the viewer had also handled what the handler left queued (Print
// All's scroll) and painted. Both are started by a message from this process, so both carry the
// same cost of crossing between processes.
#include <cstddef>
#include <string>

namespace bench {

struct ViewerTimes {
    double handledMs = 0;
    double settledMs = 0;  // until queued messages and painting were done too
};

struct PrintAllRun {
    ViewerTimes printAll;
    ViewerTimes setText;
    size_t viewerBytes = 0;  // of the text as WM_GETTEXT gives it, paragraph breaks as CR LF
};

// One Print All and one floor on the reports now on the device, each in a newly started
// `mardello` (a Windows path) whose viewer is still empty; `hookLibrary` is the library that
// sets the text inside the program (settext_hook.dll). The viewer must then hold
// `paragraphBreaks` breaks, so that a run that showed the wrong files is never timed as a good
// one, and the floor must leave exactly the text Print All left.
PrintAllRun RunPrintAll(const std::string& mardello, const std::string& workingDirectory, const std::string& vin,
                        const std::string& hookLibrary, size_t paragraphBreaks);

}  // namespace bench
