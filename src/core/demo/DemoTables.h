#pragma once
// The parameter tables that the servo, blink and LED demo firmwares hold in program memory.

#include "encode/ProgramTable.h"

#include <vector>

namespace hq {

// Program-memory blocks (1..4) that the kind keeps as tables; empty for kinds without an editor
// table.
std::vector<int> demoTableBlocks(int kind);

// The table contents: servo curves in blocks 3 and 4, blink patterns in block 1, LED patterns in
// blocks 1 to 4. Entries of other blocks are 0.
ProgramTable demoProgramTable(int kind);

} // namespace hq
