#include "settings/FirmwareSettings.h"

#include "light/HouseMinimum.h"
#include "light/NeonValues.h"
#include "light/PatternBank.h"
#include "settings/NeonHellCheck.h"

#include <algorithm>

namespace hq {

namespace {

constexpr int kEntriesPerBlock = 256;

// The entries a pattern firmware's table writer stores: whole blocks, but the blink firmware's last
// record of block 1 holds seven words, so its entry 255 is never stored.
int storedEntryCount(const PatternLayout& layout) {
    return layout.programBlocks * kEntriesPerBlock - (layout.shortBlock1 ? 1 : 0);
}

ApplyProblem problemOf(const Status& status) {
    return ApplyProblem{status.message(), status.kind(), FocusField::None, 0};
}

// Everything but the HELL check, onto `work`.
std::optional<ApplyProblem> applyInto(Firmware& work, const FirmwareSettings& current,
                                      const FirmwareSettings& settings) {
    if (settings.servo && current.servo && *settings.servo != *current.servo) {
        if (Status stored = storeServoWorkingCopy(*settings.servo, work.image, work.eeprom()); !stored)
            return problemOf(stored);
    }
    if (settings.patterns && current.patterns && settings.patterns->layout &&
        !(*settings.patterns == *current.patterns)) {
        PatternBank bank(*settings.patterns->layout);
        bank.table() = settings.patterns->table;
        if (Status written = bank.write(work.image); !written)
            return problemOf(written);
    }
    if (settings.neon && current.neon) {
        const std::pair<NeonValue, std::optional<int>> values[] = {{NeonValue::Hell, settings.neon->hell},
                                                                   {NeonValue::Dunkel, settings.neon->dunkel},
                                                                   {NeonValue::Delay, settings.neon->delay}};
        for (const auto& [which, value] : values) {
            if (value && value != shownNeonValue(work.eeprom(), which))
                storeNeonValue(work.eeprom(), which, *value);
        }
    }
    if (settings.house && current.house && settings.house->minimum &&
        settings.house->minimum != current.house->minimum)
        storeHouseMinimum(work.eeprom(), *settings.house->minimum);

    GridValues grid;
    for (int r = 0; r < kRowCount; ++r) {
        grid.address[r] = settings.rows[r].address;
        grid.function[r] = settings.rows[r].function;
        grid.redGreen[r] = settings.rows[r].redGreen;
    }
    grid.extra = settings.extra;
    if (auto problem = applyGrid(work, grid))
        return ApplyProblem{problem->message, ErrorKind::Refused, problem->field, problem->row};
    return std::nullopt;
}

} // namespace

bool operator==(const PatternSetting& a, const PatternSetting& b) {
    if (a.layout != b.layout)
        return false;
    if (a.layout == nullptr)
        return true;
    const auto stored = static_cast<std::ptrdiff_t>(storedEntryCount(*a.layout));
    return std::equal(a.table.begin(), a.table.begin() + stored, b.table.begin());
}

const PatternLayout* patternLayoutFor(Panel panel) {
    switch (panel) {
    case Panel::Blink:
        return &kBlinkLayout;
    case Panel::Led:
        return &kLedLayout;
    default:
        return nullptr;
    }
}

RowSetting readRowSetting(const Firmware& firmware, int row) {
    const OutputRow& read = firmware.parameters.rows[row];
    return {read.address, read.function, read.redGreen};
}

FirmwareSettings readSettings(const Firmware& firmware) {
    FirmwareSettings settings;
    for (int r = 0; r < kRowCount; ++r)
        settings.rows[r] = readRowSetting(firmware, r);
    settings.extra = firmware.parameters.extraValue;

    const Panel panel = firmware.recognition.panel();
    if (panel == Panel::Servo)
        settings.servo = loadServoWorkingCopy(firmware.image, firmware.eeprom());
    if (const PatternLayout* layout = patternLayoutFor(panel)) {
        PatternBank bank(*layout);
        bank.read(firmware.image);
        settings.patterns = PatternSetting{layout, bank.table()};
    }
    if (panel == Panel::Neon) {
        settings.neon = NeonSetting{shownNeonValue(firmware.eeprom(), NeonValue::Hell),
                                    shownNeonValue(firmware.eeprom(), NeonValue::Dunkel),
                                    shownNeonValue(firmware.eeprom(), NeonValue::Delay)};
    }
    if (panel == Panel::House)
        settings.house = HouseSetting{houseMinimum(firmware.eeprom())};
    return settings;
}

std::optional<ApplyProblem> applySettings(Firmware& firmware, const FirmwareSettings& settings,
                                          const ApplyOptions& options) {
    const FirmwareSettings current = readSettings(firmware);
    Firmware work = firmware;
    if (auto problem = applyInto(work, current, settings))
        return problem;
    if (!options.acceptStoredHell) {
        if (auto conflict = neonHellAfterSave(work, current, settings))
            return ApplyProblem{conflict->message, ErrorKind::Refused, FocusField::None, 0};
    }
    firmware = std::move(work);
    return std::nullopt;
}

std::optional<NeonHellConflict> neonHellConflict(const Firmware& firmware, const FirmwareSettings& settings) {
    const FirmwareSettings current = readSettings(firmware);
    if (!current.neon)
        return std::nullopt;
    Firmware work = firmware;
    if (applyInto(work, current, settings))
        return std::nullopt; // the save stops earlier, with its own message
    return neonHellAfterSave(work, current, settings);
}

} // namespace hq
