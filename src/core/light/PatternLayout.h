#pragma once
// Where the blink and the LED firmware keep their patterns in the program-memory table.
//
// Both hold four patterns, one per decoder address, each a block of entries with the step bytes, the
// count of steps, the stretch factor and the flags. The blink firmware keeps 4 x 64 entries in block 1
// (program memory from 0x0600): steps 0..52 with bits 0..3 for outputs 1..4, count 53, stretch 54,
// flags 55 (bit 0 loop, bits 4..7 outputs 1..4 in use). The LED firmware keeps one 256-entry block per
// address in blocks 1..4: steps of outputs 1..4 in entries 0..99, flags 100 (loop, outputs 1..4 in
// use), count 101, stretch 102, flags 103 (bits 0..5 outputs 5..10 in use) and the steps of outputs
// 5..10 in entries 128..227.
//
// "von #n" copies a whole block: all outputs of the blink firmware's 64 entries, and all ten outputs
// of an LED block, whose steps of outputs 5..10 lie past the flags.

namespace hq {

struct PatternLayout {
    int blockSize;      // table entries per address
    int outputs;        // outputs drawn per address
    int maxCount;       // most steps of a pattern
    int maxStretch;     // highest stretch factor
    int countEntry;     // entry of the count within a block
    int stretchEntry;   // entry of the stretch factor
    int flagsEntry;     // bit 0 loop, bits 4..7 outputs 1..4 in use
    int highStepOffset; // first step entry of outputs 5.. (LED only)
    int highFlagsEntry; // bits 0..5 outputs 5..10 in use (LED only)
    int copyLength;     // entries that "von #n" copies from the start of a block
    int programBlocks;  // program-memory blocks read and written (block 1 upwards)
    bool shortBlock1;   // block 1 is written with seven words in its last record
};

inline constexpr int kPatternAddresses = 4;
inline constexpr int kLowOutputs = 4; // outputs whose steps share the first step bytes

inline constexpr PatternLayout kBlinkLayout{64, 4, 50, 200, 53, 54, 55, 0, 0, 64, 1, true};
inline constexpr PatternLayout kLedLayout{256, 10, 100, 200, 101, 102, 100, 128, 103, 256, 4, false};

} // namespace hq
