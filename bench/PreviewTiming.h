#pragma once
// The print preview of a long report against Print's own layout of the same report, both in
// one Mardello that shows it: from the preview command until its first page is on the screen,
// and from OK in the print dialog until Print has laid the pages out and starts the job. A
// library inside Mardello (print_timing_hook.dll) notes both moments and refuses the job, so
// nothing is printed.
#include <string>
#include <vector>

namespace bench {

struct PreviewRuns {
    std::vector<double> previewMs;
    std::vector<double> printLayoutMs;
    std::string pagesShown;  // "Page 1 of N", as the preview showed it
};

// `runs` previews and `runs` Prints, taken in turns, of the reports now on the device shown
// with Print All in a newly started `mardello`; the default printer must be a real one.
PreviewRuns RunPreviewAgainstPrint(const std::string& mardello, const std::string& workingDirectory,
                                   const std::string& vin, const std::string& hookLibrary, int runs);

}  // namespace bench

namespace bench {

// Prints the table of the runs of a `lines`-line report, with the goal: the preview within
// 1.2 times Print's layout.
void PrintPreviewTable(const PreviewRuns& runs, int lines);

}  // namespace bench
