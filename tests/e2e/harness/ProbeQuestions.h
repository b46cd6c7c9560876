#pragma once
// What the probe hook library inside the program under test and its user agree on: a
// registered message whose wParam is the question; the hook replies with the answer.
#include <windows.h>

namespace e2e {

constexpr const char* kProbeMessageName = "MardelloProbe.Ask";
constexpr const char* kProbeHookName = "ProbeHook";
// Load only makes the library load (it answers 1); CPU time is user and kernel time together.
// NoMemoryBlocks makes every GlobalAlloc of the program's own code fail from then on (it answers
// 1 when the program imports it); the peak is the most memory the process has had in use.
enum class ProbeQuestion : WPARAM { Load = 0, ErrorMode = 1, CpuMilliseconds = 2, NoMemoryBlocks = 3, PeakMemoryKilobytes = 4 };

}  // namespace e2e
