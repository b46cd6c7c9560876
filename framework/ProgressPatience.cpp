#include "framework/ProgressPatience.h"

bool ProgressPatience::WaitOn(std::uint64_t moves, std::uint64_t nowMs)
{
    if (moves != m_moves) {
        m_moves = moves;
        m_lastMoveMs = nowMs;
    }
    // A clock that went back counts as no time gone.
    return nowMs < m_lastMoveMs || nowMs - m_lastMoveMs < m_patienceMs;
}
