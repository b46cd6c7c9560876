#pragma once
// What the benchmark and its print-timing library inside Mardello agree on: the message that
// makes the library load and set its traps, and the shared memory where the traps leave the
// moments they saw (QueryPerformanceCounter, which all processes of one Wine share).

// Sent with wParam 0 once: loads the library and sets the traps.
constexpr const char* kPrintTimingMessageName = "MardelloBench.PrintTiming";
constexpr const char* kPrintTimingMappingName = "MardelloBench.PrintTimes";
// Exported undecorated, so that GetProcAddress finds it by this name.
constexpr const char* kPrintTimingHookName = "PrintTimingHook";

struct PrintTimes {
    long long laidOut;          // Print had laid its pages out and started the job (0: not yet)
    long long firstPageDrawn;   // the preview put its first page on the screen (0: not yet)
};
