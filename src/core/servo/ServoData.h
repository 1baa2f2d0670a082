#pragma once
// The servo firmware's four movement curves: blocks 3 and 4 of the program-memory tables hold four
// curve blocks of 128 bytes, curve N at table entries 512 + 128 * (N - 1).

#include "Result.h"
#include "encode/ProgramTable.h"
#include "image/HexImage.h"

#include <array>

namespace hq {

inline constexpr int kServoCurveCount = 4;
inline constexpr int kCurveBlockSize = 128;
inline constexpr int kMaxCurvePoints = 100;
inline constexpr int kMaxStretch = 200;

// Entries of a curve block after the points 0..99.
inline constexpr int kCurveFlagEntry = 100;    // flag byte of servo N
inline constexpr int kCurveCountEntry = 101;   // point count 1..100
inline constexpr int kCurveStretchEntry = 102; // stretch factor 1..200

// Where curve 1 starts in the program table (block 3).
inline constexpr int kServoTableOffset = 512;

// One curve block: entries 0..127, each a byte value 0..255. Points keep the position in bits 0..6
// and the relay state in bit 7.
using CurveBlock = std::array<int, kCurveBlockSize>;

struct ServoData {
    std::array<CurveBlock, kServoCurveCount> blocks{};

    // Curve 1..4.
    CurveBlock& curve(int number) { return blocks[static_cast<std::size_t>(number - 1)]; }
    const CurveBlock& curve(int number) const { return blocks[static_cast<std::size_t>(number - 1)]; }

    friend bool operator==(const ServoData&, const ServoData&) = default;
};

// The stored point count brought into 1..100, as drawing and the generators use it.
int clampedPointCount(const CurveBlock& block);

ServoData servoDataFromTable(const ProgramTable& table);
void storeServoData(const ServoData& data, ProgramTable& table);

// Decodes blocks 3 and 4 of the line table into `data`. Words whose low byte is no hex byte leave
// their entry as it was. Returns false when either block is missing from the file.
bool readServoData(const HexImage& image, ServoData& data);

// Rebuilds the records of blocks 3 and 4. On failure the image is left as it was and the German
// message is returned.
Status writeServoData(HexImage& image, const ServoData& data);

} // namespace hq
