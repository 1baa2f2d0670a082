#pragma once
// The neon function decoder's values in the data EEPROM: the delay at byte 0x00 (units of 0.5 s) and
// the two light levels between which its second address switches, DUNKEL at 0x20 and HELL at 0x21,
// stored inverted (level 255 is byte 0x00).

#include "image/EepromImage.h"

#include <optional>
#include <string_view>

namespace hq {

enum class NeonValue { Hell, Dunkel, Delay };

inline constexpr int kNeonDelayByte = 0x00;
inline constexpr int kNeonDunkelByte = 0x20;
inline constexpr int kNeonHellByte = 0x21;
// The range the neon messages name (a delay of 0 is accepted all the same).
inline constexpr std::string_view kNeonRangeText = "1..255";

int neonByteIndex(NeonValue which);

// The value as the panel shows it, or nothing when the byte's text is no hex byte.
std::optional<int> shownNeonValue(const EepromImage& eeprom, NeonValue which);

// The byte an entered value is stored as: levels 255 - entered, the delay unchanged, both clamped to
// 0..255.
int neonStoredByte(NeonValue which, int entered);

void storeNeonValue(EepromImage& eeprom, NeonValue which, int entered);

} // namespace hq
