#include "servo/ServoData.h"

#include <algorithm>

namespace hq {

namespace {

std::size_t tableIndex(int curve, int entry) {
    return static_cast<std::size_t>(kServoTableOffset + kCurveBlockSize * curve + entry);
}

} // namespace

int clampedPointCount(const CurveBlock& block) {
    return std::clamp(block[kCurveCountEntry], 1, kMaxCurvePoints);
}

ServoData servoDataFromTable(const ProgramTable& table) {
    ServoData data;
    for (int curve = 0; curve < kServoCurveCount; ++curve) {
        for (int entry = 0; entry < kCurveBlockSize; ++entry) {
            data.blocks[static_cast<std::size_t>(curve)][static_cast<std::size_t>(entry)] =
                table[tableIndex(curve, entry)];
        }
    }
    return data;
}

void storeServoData(const ServoData& data, ProgramTable& table) {
    for (int curve = 0; curve < kServoCurveCount; ++curve) {
        for (int entry = 0; entry < kCurveBlockSize; ++entry) {
            table[tableIndex(curve, entry)] =
                data.blocks[static_cast<std::size_t>(curve)][static_cast<std::size_t>(entry)];
        }
    }
}

bool readServoData(const HexImage& image, ServoData& data) {
    ProgramTable table{};
    storeServoData(data, table);
    const bool block3 = readProgramBlock(image, 3, table);
    const bool block4 = readProgramBlock(image, 4, table);
    data = servoDataFromTable(table);
    return block3 && block4;
}

Status writeServoData(HexImage& image, const ServoData& data) {
    ProgramTable table{};
    storeServoData(data, table);
    // Both blocks go into a copy first, so a refused second block cannot leave half a write.
    HexImage patched = image;
    for (int block : {3, 4}) {
        Status status = writeProgramBlock(patched, block, table);
        if (!status) {
            return status;
        }
    }
    image = std::move(patched);
    return Status::success();
}

} // namespace hq
