#pragma once
// When to look at the drives while the program runs. A search reads the root of every
// removable drive, so it is made only after the drives changed: a letter came or went, or the
// system announced a volume (media into a card reader keeps its letter). A volume is often
// announced before its files can be read, so a change is followed by a few searches, one a
// tick. While a device is in use only its own PRINT folder is looked at, not even the drive
// list, and nothing else takes its place until it is gone.
#include <cstdint>

class DeviceWatch {
public:
    // Searches after a change, one a tick: about five seconds at one tick a second.
    static constexpr int kSearchesAfterChange = 5;

    // The drives (a bit per letter, A the lowest) as the start-up search saw them.
    void Start(std::uint32_t driveMask)
    {
        m_driveMask = driveMask;
        m_driveMaskKnown = true;
    }

    // The system announced volumes arriving or going: the letters in `unitMask`.
    void Announce(std::uint32_t unitMask, bool removed);

    // A tick while the device is in use on `letter`: true when its volume was announced
    // removed since the last tick (another device may already show in the same letter).
    bool AnnouncedRemoved(char letter);

    // A tick while no device is in use: true when a search is due now.
    bool SearchDue(std::uint32_t driveMask);

    // The device in use went away: another one may be there already. The drive list of the
    // next search is the one to compare later ticks with.
    void DeviceLost()
    {
        m_searchesLeft = kSearchesAfterChange;
        m_driveMaskKnown = false;
    }
    void DeviceFound() { m_searchesLeft = 0; }

private:
    // Takes in the drive mask of this tick; true when the drives changed since the last one.
    bool TakeChanges(std::uint32_t driveMask);

    std::uint32_t m_driveMask = 0;
    bool m_driveMaskKnown = false;
    std::uint32_t m_removed = 0;
    bool m_announced = false;
    int m_searchesLeft = 0;
};
