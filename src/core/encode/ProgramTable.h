#pragma once
// The editors' tables in program memory: four blocks of 32 records of eight retlw words (0x34vv).

#include "Result.h"
#include "image/HexImage.h"

#include <array>
#include <string>

namespace hq {

inline constexpr int kProgramTableSize = 1024;
using ProgramTable = std::array<int, kProgramTableSize>;

// The first record of block 1..4: ":10060000", ":10080000", ":100A0000", ":100C0000".
std::string programBlockKey(int block);

// Fills the block's 256 entries from the 32 records starting at the last line that begins with the
// block's key. Entries whose word low byte is not a hex byte keep their value; without a start line
// nothing is read. Returns false when the block was not found.
bool readProgramBlock(const HexImage& image, int block, ProgramTable& table);

// Rewrites the block's 32 records with fresh checksums. Nothing is written, and a German message is
// returned, when the block is missing, runs past the end of the file, or its 32 lines are not the
// block's records in address order. A block holding a word that is not retlw (encode/TableGuard.h)
// is never rewritten: left as it is when the table holds its entries unchanged, refused otherwise.
Status writeProgramBlock(HexImage& image, int block, const ProgramTable& table);

// Block 1 as the blink firmware keeps it: entries 0..254 only, the last record ":0E07F000" with
// seven words.
Status writeProgramBlock1Short(HexImage& image, const ProgramTable& table);

} // namespace hq
