#pragma once
// How a vehicle address is set in a DCC decoder's configuration variables, and what MM command
// stations make of high addresses.
//
// DCC: 1..127 is a short address in CV1 (CV29 bit 5 clear); 128 and up is a long address split over
// CV17 = 192 + a div 256 and CV18 = a mod 256, with CV29 bit 5 set. Long addresses end at 10239
// (CV17 = 231); the firmware stores up to 16128, but no CV17 value above 231 is a valid address.

#include <map>
#include <optional>
#include <string>

namespace hq {

inline constexpr int kDccHighestShortAddress = 127;
inline constexpr int kDccHighestLongAddress = 10239;
inline constexpr int kCv29LongAddressBit = 5;
// Older MM command stations offer addresses 1..80 only.
inline constexpr int kMmOldStationHighest = 80;

struct DccVehicleCvs {
    bool longAddress = false;
    // CV1, or CV17 and CV18. CV29 is not in the map: only its bit 5 belongs to the address, the
    // other bits (direction, speed steps, analogue mode) are the decoder's own.
    std::map<int, int> values;
    bool cv29Bit5 = false;

    friend bool operator==(const DccVehicleCvs&, const DccVehicleCvs&) = default;
};

// Nothing for addresses below 1.
std::optional<DccVehicleCvs> dccVehicleCvs(int address);

// "Kurze Adresse: CV1 = 3, CV29 Bit 5 aus" or
// "Lange Adresse: CV17 = 196, CV18 = 210, CV29 Bit 5 ein (+32)".
std::string dccVehicleCvsText(const DccVehicleCvs& cvs);

// The note for MM vehicle addresses above 80, nothing for 1..80 (every station reaches those).
std::optional<std::string> mmVehicleNote(int address);

} // namespace hq
