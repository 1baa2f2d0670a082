#pragma once
// What the servo editor edits: the four curve blocks and the pulse timing, taken from a loaded
// firmware and written back into it as one step.

#include "Result.h"
#include "image/EepromImage.h"
#include "image/HexImage.h"
#include "servo/ServoData.h"
#include "servo/ServoTiming.h"

namespace hq {

struct ServoWorkingCopy {
    ServoData data;
    ServoTiming timing;

    friend bool operator==(const ServoWorkingCopy&, const ServoWorkingCopy&) = default;
};

// Decodes blocks 3 and 4 of the line table and EEPROM bytes 96..103. Entries the file cannot supply
// are 0.
ServoWorkingCopy loadServoWorkingCopy(const HexImage& image, const EepromImage& eeprom);

// Writes the curve blocks into the line table and the timing into the EEPROM. When the line table
// refuses the blocks, neither is changed and the German message is returned.
Status storeServoWorkingCopy(const ServoWorkingCopy& copy, HexImage& image, EepromImage& eeprom);

} // namespace hq
