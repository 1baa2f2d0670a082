#pragma once
// The table blocks in program memory hold one retlw word (0x34vv) per entry, and the table writer
// writes every word of a block that way. A block holding any other word is not what the editors
// think it is (code of another firmware version, or a damaged file): rewriting it would turn that
// code into retlw literals. Such a block is guarded: it is left exactly as it is by every save, and
// a save that would change one of its entries is refused naming the block and the word.

#include "image/HexImage.h"
#include "image/Recognition.h"

#include <optional>
#include <string>
#include <vector>

namespace hq {

struct GuardedBlock {
    int block = 0;       // 1..4
    int line = 0;        // the file line of the first word that is not retlw, counted from 1
    int wordAddress = 0; // that word's program-memory address
    std::string word;    // that word as the file holds it, high byte first ("2805")
    // German, for an editor that shows the block read-only and for `check`: the block, the word and
    // that saving leaves the block as it is.
    std::string reason;
};

// The first word of block 1..4 (the 32 records from the last line starting with the block's key)
// that is not retlw, or nothing when every word is one or the block is not in the file. A word whose
// high byte is not a hex byte counts as not retlw as well.
std::optional<GuardedBlock> guardedProgramBlock(const HexImage& image, int block);

// The blocks the firmware's editor reads and writes: servo 3 and 4, blink 1, LED 1 to 4.
std::vector<int> editorProgramBlocks(Panel panel);

// The guarded blocks among the editor's blocks, in block order; what the window shows read-only.
std::vector<GuardedBlock> guardedEditorBlocks(const HexImage& image, Panel panel);

// The German refusal for a save that would change a guarded block.
std::string guardedBlockRefusal(const GuardedBlock& guarded);

} // namespace hq
