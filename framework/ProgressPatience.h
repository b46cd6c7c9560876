#pragma once
// How long to wait for work on a folder that may stop answering (a share): for as long as it
// moves, and no longer than the patience once it has stopped moving. A large report read slowly
// but steadily is read whole; a share that answers nothing is given up on.
#include <cstdint>

constexpr std::uint64_t kNoAnswerPatienceMs = 2000;

class ProgressPatience {
public:
    ProgressPatience(std::uint64_t startMs, std::uint64_t patienceMs = kNoAnswerPatienceMs)
        : m_lastMoveMs(startMs), m_patienceMs(patienceMs)
    {
    }

    // Whether to wait on, the work having made `moves` steps so far, at `nowMs`.
    bool WaitOn(std::uint64_t moves, std::uint64_t nowMs);

private:
    std::uint64_t m_moves = 0;
    std::uint64_t m_lastMoveMs;
    std::uint64_t m_patienceMs;
};
