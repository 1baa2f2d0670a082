#pragma once
// One pass over the line table: the data EEPROM, the ID record and the lines recognition needs.

#include "image/EepromImage.h"
#include "image/HexImage.h"

#include <string>
#include <vector>

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
    std::string hardwareMark;              // status panel 0
    std::string version;                   // status panel 1, "V x.yz"; empty without an ID record
    bool hasEeprom = false;                // at least one EEPROM record was found
    std::vector<int> misplacedEepromLines; // see EepromLines
};

// Which lines carry data-EEPROM records. A record with address high byte 0x42 is EEPROM only where
// every Intel HEX reader puts it at 0x4200: with no non-zero extended segment or linear address in
// force and before the end-of-file record. Others only look like EEPROM; they are "misplaced".
struct EepromLines {
    std::vector<bool> record;   // per line of the table: an EEPROM record
    std::vector<int> misplaced; // 1-based numbers of lines that only look like EEPROM records
};
EepromLines findEepromLines(const HexImage& image);

ImageScan scanImage(const HexImage& image);

} // namespace hq
