#include "device/DeviceWatch.h"

namespace {

std::uint32_t LetterBit(char letter)
{
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    return letter >= 'A' && letter <= 'Z' ? std::uint32_t{1} << (letter - 'A') : 0;
}

}  // namespace

void DeviceWatch::Announce(std::uint32_t unitMask, bool removed)
{
    m_announced = true;
    if (removed) m_removed |= unitMask;
}

bool DeviceWatch::TakeChanges(std::uint32_t driveMask)
{
    const bool changed = !m_driveMaskKnown || driveMask != m_driveMask || m_announced;
    m_driveMask = driveMask;
    m_driveMaskKnown = true;
    m_announced = false;
    m_removed = 0;
    return changed;
}

bool DeviceWatch::AnnouncedRemoved(char letter)
{
    const bool removed = (m_removed & LetterBit(letter)) != 0;
    m_announced = false;
    m_removed = 0;
    return removed;
}

bool DeviceWatch::SearchDue(std::uint32_t driveMask)
{
    if (TakeChanges(driveMask)) m_searchesLeft = kSearchesAfterChange;
    if (m_searchesLeft == 0) return false;
    --m_searchesLeft;
    return true;
}
