// Configuration variables of a DCC vehicle address and the note on high MM vehicle addresses.

#include "help/VehicleAddress.h"

namespace hq {

std::optional<DccVehicleCvs> dccVehicleCvs(int address) {
    if (address < 1)
        return std::nullopt;
    DccVehicleCvs cvs;
    if (address <= kDccHighestShortAddress) {
        cvs.values = {{1, address}};
        return cvs;
    }
    cvs.longAddress = true;
    cvs.cv29Bit5 = true;
    cvs.values = {{17, 192 + address / 256}, {18, address % 256}};
    return cvs;
}

std::string dccVehicleCvsText(const DccVehicleCvs& cvs) {
    std::string text = cvs.longAddress ? "Lange Adresse: " : "Kurze Adresse: ";
    for (const auto& [cv, value] : cvs.values)
        text += "CV" + std::to_string(cv) + " = " + std::to_string(value) + ", ";
    text += "CV29 Bit " + std::to_string(kCv29LongAddressBit);
    text += cvs.cv29Bit5 ? " ein (+" + std::to_string(1 << kCv29LongAddressBit) + ")" : " aus";
    return text;
}

std::optional<std::string> mmVehicleNote(int address) {
    if (address <= kMmOldStationHighest)
        return std::nullopt;
    return "Hinweis: Ältere MM-Zentralen kennen nur die Adressen 1 bis " +
           std::to_string(kMmOldStationHighest) + "; Adresse " + std::to_string(address) +
           " erreichen nur neuere Zentralen.";
}

} // namespace hq
