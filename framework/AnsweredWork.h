#pragma once
// File work on a folder that may stop answering (a share), run on a thread of its own and waited
// for only while it moves: a share that answers nothing holds the caller for about two seconds,
// and a large file read slowly but steadily is still read whole. Work given up on is left to end
// whenever, or never: it owns everything it touches, so the caller's going does not matter to it.
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

// What the work shows of its progress: a step for each piece read or written.
class WorkProgress {
public:
    void Moved() { m_moves.fetch_add(1, std::memory_order_relaxed); }
    unsigned long Moves() const { return m_moves.load(std::memory_order_relaxed); }

private:
    std::atomic<unsigned long> m_moves{0};
};

using AnsweredWork = std::function<void(WorkProgress&)>;

// True when the work ended; false when it showed no progress for the patience and was given up
// on. The work captures by value what it reads and puts what it finds where it owns a share of
// it: it may outlive the caller. It runs on the caller's thread when no thread can be started.
bool DoWhileAnswered(AnsweredWork work);

// What the work returned, or nothing when it was given up on.
template <typename Result, typename Work>
std::optional<Result> ResultWhileAnswered(Work work)
{
    const auto result = std::make_shared<Result>();
    if (!DoWhileAnswered([result, work = std::move(work)](WorkProgress& progress) { *result = work(progress); }))
        return std::nullopt;
    return std::move(*result);
}
