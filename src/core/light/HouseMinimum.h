#pragma once
// The house-lighting firmware's minimum number of active outputs, EEPROM byte 0x0F, 1..9.

#include "image/EepromImage.h"

#include <optional>
#include <string_view>

namespace hq {

inline constexpr int kHouseMinimumByte = 0x0F;
inline constexpr int kHouseMinimumLowest = 1;
inline constexpr int kHouseMinimumHighest = 9;
inline constexpr std::string_view kHouseMinimumRangeText = "1..9";

// The stored minimum, or nothing when the byte's text is no hex byte.
std::optional<int> houseMinimum(const EepromImage& eeprom);

// Stores the entered minimum clamped to 1..9.
void storeHouseMinimum(EepromImage& eeprom, int entered);

} // namespace hq
