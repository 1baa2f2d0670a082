#include "light/NeonValues.h"

#include <algorithm>

namespace hq {

int neonByteIndex(NeonValue which) {
    switch (which) {
    case NeonValue::Hell:
        return kNeonHellByte;
    case NeonValue::Dunkel:
        return kNeonDunkelByte;
    case NeonValue::Delay:
        break;
    }
    return kNeonDelayByte;
}

std::optional<int> shownNeonValue(const EepromImage& eeprom, NeonValue which) {
    std::optional<int> stored = eeprom.value(neonByteIndex(which));
    if (!stored || which == NeonValue::Delay)
        return stored;
    return 255 - *stored;
}

int neonStoredByte(NeonValue which, int entered) {
    if (which == NeonValue::Delay)
        return std::clamp(entered, 0, 255);
    // Clamping the entry first gives the same byte and keeps 255 - entered from overflowing.
    return 255 - std::clamp(entered, 0, 255);
}

void storeNeonValue(EepromImage& eeprom, NeonValue which, int entered) {
    eeprom.setValue(neonByteIndex(which), neonStoredByte(which, entered));
}

} // namespace hq
