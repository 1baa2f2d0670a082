// The small shared pieces of the layout: ranges, German texts and the intended-clash list.

#include "layout/Layout.h"

#include "encode/CodeTables.h"

#include <algorithm>

namespace hq {

bool LayoutNotes::isIntended(const ClashKey& key) const {
    return std::find(intended.begin(), intended.end(), key) != intended.end();
}

void LayoutNotes::setIntended(const ClashKey& key, bool on) {
    auto found = std::find(intended.begin(), intended.end(), key);
    if (on && found == intended.end()) {
        intended.insert(std::upper_bound(intended.begin(), intended.end(), key), key);
    } else if (!on && found != intended.end()) {
        intended.erase(found);
    }
}

int LayoutScan::openClashCount() const {
    return static_cast<int>(
        std::count_if(clashes.begin(), clashes.end(), [](const Clash& clash) { return !clash.intended; }));
}

int highestAddress(Protocol protocol, AddressSpace space) {
    const bool mm = protocol == Protocol::MM;
    if (space == AddressSpace::Accessory)
        return mm ? kMmHighestAccessory : kDccHighestAccessory;
    return mm ? kMmHighestVehicle : kDccHighestVehicle;
}

std::string reactionText(AddressSpace space, int reaction) {
    if (space == AddressSpace::Vehicle)
        return "Funktion " + std::to_string(reaction);
    return reaction != 0 ? "grün" : "rot";
}

std::string_view spaceText(AddressSpace space) {
    return space == AddressSpace::Vehicle ? "Fahrzeug" : "Zubehör";
}

std::string addressRunText(int first, int size) {
    if (size <= 1)
        return std::to_string(first);
    return std::to_string(first) + "–" + std::to_string(first + size - 1);
}

std::string runsText(std::vector<int> numbers) {
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    std::string text;
    for (std::size_t i = 0; i < numbers.size();) {
        std::size_t end = i + 1;
        while (end < numbers.size() && numbers[end] == numbers[end - 1] + 1)
            ++end;
        if (!text.empty())
            text += ", ";
        text += addressRunText(numbers[i], numbers[end - 1] - numbers[i] + 1);
        i = end;
    }
    return text;
}

std::string partyText(const LayoutDecoder& decoder, const LayoutRow& row) {
    return decoder.file + " Zeile " + std::to_string(row.row) + " (" + row.caption + ")";
}

} // namespace hq
