#pragma once
// How Mardello ends by the user's hand: the process exits with the code ExitInstance returns
// (0) and none of its windows stays behind.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/e2e/MardelloSession.h"

namespace e2e {

inline ::testing::AssertionResult EndsCleanly(MardelloSession& session)
{
    DWORD exitCode = STILL_ACTIVE;
    auto ended = session.Process().WaitForExit(kDefaultTimeoutMs, &exitCode);
    if (!ended) return ended;
    if (exitCode != 0) return ::testing::AssertionFailure() << "exit code " << exitCode;
    const DWORD id = session.Process().Id();
    if (!WaitUntil([id] { return WindowsOfProcess(id).empty(); }))
        return ::testing::AssertionFailure() << "windows remain after the program ended";
    return ::testing::AssertionSuccess();
}

}  // namespace e2e
