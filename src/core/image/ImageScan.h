#pragma once
// One pass over the line table: the data EEPROM, the ID record and the lines recognition needs.

#include "image/EepromImage.h"
#include "image/HexImage.h"

#include <string>

namespace hq {

// The last line beginning with each prefix, as recognition compares them.
struct RememberedLines {
    std::string line010; // ":10010"
    std::string line011; // ":10011" (turntable firmwares)
    std::string line012; // ":10012"
    std::string line001; // ":10001" (protocol signature)
    std::string line040; // ":04000" (reset vector)
};

struct ImageScan {
    EepromImage eeprom;
    RememberedLines remembered;
    std::string hardwareMark; // status panel 0
    std::string version;      // status panel 1, "V x.yz"; empty without an ID record
};

ImageScan scanImage(const HexImage& image);

} // namespace hq
