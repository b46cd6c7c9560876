#pragma once
// Whether the viewer may take another piece of text. Wine's rich edit takes about 200 bytes for
// each character it shows in a 32-bit process, about twice that in a 64-bit one (more for lines
// of thousands of characters); when an allocation fails it faults inside, the command ends there
// and the viewer stays unusable. So a piece only goes in while there is room for it at twice that
// rate, with some left for the rest of the program. A 32-bit process runs out of address space
// first; a 64-bit one has address space to spare and would take the machine's memory instead.
#include <cstddef>

struct ProcessRoom {
    unsigned long long addressSpace = 0;  // what the process can still reserve
    unsigned long long memory = 0;        // what the system can still give it without paging
};

bool ViewerHasRoomFor(size_t pieceBytes, const ProcessRoom& room, size_t pointerSize = sizeof(void*));
