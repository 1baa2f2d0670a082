#include "LightEdits.h"

#include "FirmwareDocument.h"
#include "light/HouseMinimum.h"

#include <algorithm>

namespace {

using State = DocumentState;

// Typing into one field merges: the neon values 1200 + their index, the house minimum 1300.
constexpr int kNeonEntry = 1200;
constexpr int kHouseEntry = 1300;
constexpr int kHighestNeonValue = 255;

using NeonMember = std::optional<int> hq::NeonSetting::*;

NeonMember member(hq::NeonValue which) {
    switch (which) {
    case hq::NeonValue::Hell:
        return &hq::NeonSetting::hell;
    case hq::NeonValue::Dunkel:
        return &hq::NeonSetting::dunkel;
    case hq::NeonValue::Delay:
        break;
    }
    return &hq::NeonSetting::delay;
}

QString stepName(hq::NeonValue which) {
    switch (which) {
    case hq::NeonValue::Hell:
        return QObject::tr("Licht-Stufe HELL");
    case hq::NeonValue::Dunkel:
        return QObject::tr("Licht-Stufe DUNKEL");
    case hq::NeonValue::Delay:
        break;
    }
    return QObject::tr("Verzögerungs-Zeit");
}

} // namespace

bool LightEdits::hasNeon() const {
    return document_.edited().neon.has_value();
}

std::optional<int> LightEdits::neonValue(hq::NeonValue which) const {
    const auto& neon = document_.edited().neon;
    return neon ? (*neon).*member(which) : std::nullopt;
}

std::optional<int> LightEdits::fileNeonValue(hq::NeonValue which) const {
    const auto& neon = document_.fileSettings().neon;
    return neon ? (*neon).*member(which) : std::nullopt;
}

void LightEdits::setNeonValue(hq::NeonValue which, int value) {
    if (!hasNeon())
        return;
    const int stored = std::clamp(value, 0, kHighestNeonValue);
    document_.edit(
        stepName(which), [which, stored](State& state) { (*state.edited.neon).*member(which) = stored; },
        kNeonEntry + static_cast<int>(which));
}

bool LightEdits::hasHouse() const {
    return document_.edited().house.has_value();
}

std::optional<int> LightEdits::houseMinimum() const {
    const auto& house = document_.edited().house;
    return house ? house->minimum : std::nullopt;
}

std::optional<int> LightEdits::fileHouseMinimum() const {
    const auto& house = document_.fileSettings().house;
    return house ? house->minimum : std::nullopt;
}

void LightEdits::setHouseMinimum(int minimum) {
    if (!hasHouse())
        return;
    const int stored = std::clamp(minimum, hq::kHouseMinimumLowest, hq::kHouseMinimumHighest);
    document_.edit(
        QObject::tr("Mindestanzahl"), [stored](State& state) { state.edited.house->minimum = stored; },
        kHouseEntry);
}

void LightEdits::bringHouseMinimumIntoRange() {
    const std::optional<int> stored = houseMinimum();
    if (!stored || (*stored >= hq::kHouseMinimumLowest && *stored <= hq::kHouseMinimumHighest))
        return;
    const int minimum = std::clamp(*stored, hq::kHouseMinimumLowest, hq::kHouseMinimumHighest);
    document_.edit(QObject::tr("Mindestanzahl auf 1..9 gebracht"),
                   [minimum](State& state) { state.edited.house->minimum = minimum; });
    // Typing into the field afterwards is a step of its own.
    document_.finishEntry();
}

void LightEdits::finishEntry() {
    document_.finishEntry();
}
