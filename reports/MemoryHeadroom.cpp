#include "reports/MemoryHeadroom.h"

#include <algorithm>

namespace {

constexpr unsigned long long kBytesPerCharPerPointerByte = 400 / 4;
constexpr unsigned long long kReserve = 256ull << 20;

}  // namespace

bool ViewerHasRoomFor(size_t pieceBytes, const ProcessRoom& room, size_t pointerSize)
{
    const unsigned long long available = std::min(room.addressSpace, room.memory);
    const unsigned long long needed = pieceBytes * kBytesPerCharPerPointerByte * pointerSize;
    return available >= kReserve && available - kReserve >= needed;
}
