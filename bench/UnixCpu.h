#pragma once
// A Wine process's CPU time as the host's scheduler counts it, in nanoseconds, read from the
// Unix side through Wine's drive Z: (/proc). Wine gives another process's times as zero and its
// own in steps of 10 ms; the scheduler counts every thread's run time exactly, and how often it
// was put on a CPU: one wake-up each time an idle program's thread runs.
#include <string>
#include <vector>

namespace bench {

struct UnixCpu {
    unsigned long long runNs = 0;  // summed over the process's threads
    unsigned long long slices = 0; // times a thread was put on a CPU
};

// The Unix processes of this Wine prefix (their WINEPREFIX is this one's) whose program's file
// name starts with `name`, in any case: "Mardello.exe", or "wineserver" for the prefix's server.
std::vector<int> UnixPidsNamed(const std::string& name);

// Zero when the process has gone.
UnixCpu UnixCpuOf(int pid);

}  // namespace bench
