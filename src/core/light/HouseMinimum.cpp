#include "light/HouseMinimum.h"

#include <algorithm>

namespace hq {

std::optional<int> houseMinimum(const EepromImage& eeprom) {
    return eeprom.value(kHouseMinimumByte);
}

void storeHouseMinimum(EepromImage& eeprom, int entered) {
    eeprom.setValue(kHouseMinimumByte, std::clamp(entered, kHouseMinimumLowest, kHouseMinimumHighest));
}

} // namespace hq
