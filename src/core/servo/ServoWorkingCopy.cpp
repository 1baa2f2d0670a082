#include "servo/ServoWorkingCopy.h"

namespace hq {

ServoWorkingCopy loadServoWorkingCopy(const HexImage& image, const EepromImage& eeprom) {
    ServoWorkingCopy copy;
    readServoData(image, copy.data);
    loadServoTiming(eeprom, copy.timing);
    return copy;
}

Status storeServoWorkingCopy(const ServoWorkingCopy& copy, HexImage& image, EepromImage& eeprom) {
    Status status = writeServoData(image, copy.data);
    if (!status) {
        return status;
    }
    storeServoTiming(copy.timing, eeprom);
    return Status::success();
}

} // namespace hq
