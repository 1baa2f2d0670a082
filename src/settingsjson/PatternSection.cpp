// The pattern table is edited through a PatternBank over a copy of the settings' table, so the
// clamping and bit layout are the editor's own.

#include "PatternSection.h"

#include "EditorFields.h"
#include "light/PatternBank.h"

#include <algorithm>

namespace hq {

namespace {

Json addressJson(const PatternBank& bank, int address) {
    Json outputs = Json::array();
    for (int output = 1; output <= bank.layout().outputs; ++output) {
        outputs.push_back(Json{{"output", output},
                               {"used", bank.outputUsed(address, output)},
                               {"steps", bank.stepsText(address, output)}});
    }
    return Json{{"address", address},
                {"count", bank.count(address)},
                {"stretch", bank.stretch(address)},
                {"loop", bank.loop(address)},
                {"outputs", outputs}};
}

PatternBank bankOf(const PatternSetting& setting) {
    PatternBank bank(*setting.layout);
    bank.table() = setting.table;
    return bank;
}

Status applyOutput(const NumberedEntry& entry, const PatternBank& shown, PatternBank& bank, int address,
                   const std::string& place) {
    const int output = entry.number;
    const std::string outputPlace = "Ausgang " + std::to_string(output) + " von " + place;
    auto used = switchField(*entry.object, "used", outputPlace);
    if (!used)
        return used.error();
    auto steps = textField(*entry.object, "steps", outputPlace);
    if (!steps)
        return steps.error();
    if (*steps && (*steps)->find_first_not_of("01") != std::string::npos)
        return settingsError("\"steps\" von " + outputPlace + " darf nur 0 und 1 enthalten.");

    if (*used && **used != shown.outputUsed(address, output))
        bank.setOutputUsed(address, output, **used);
    if (*steps && **steps != shown.stepsText(address, output)) {
        // Steps past the count are cut off; setStep passes them over.
        const std::size_t given =
            std::min<std::size_t>((*steps)->size(), static_cast<std::size_t>(bank.count(address)));
        for (std::size_t i = 0; i < given; ++i)
            bank.setStep(address, output, static_cast<int>(i), (**steps)[i] == '1');
    }
    return {};
}

Status applyAddress(const NumberedEntry& entry, const PatternBank& shown, PatternBank& bank,
                    const char* section) {
    const int address = entry.number;
    const std::string place = "Adresse " + std::to_string(address) + " in " + quotedKey(section);
    auto count = integerField(*entry.object, "count", place);
    if (!count)
        return count.error();
    auto stretch = integerField(*entry.object, "stretch", place);
    if (!stretch)
        return stretch.error();
    auto loop = switchField(*entry.object, "loop", place);
    if (!loop)
        return loop.error();
    auto outputs = numberedEntries(*entry.object, "outputs", "output", bank.layout().outputs, place);
    if (!outputs)
        return outputs.error();

    if (*count && **count != shown.count(address))
        bank.setCount(address, **count);
    if (*stretch && **stretch != shown.stretch(address))
        bank.setStretch(address, **stretch);
    if (*loop && **loop != shown.loop(address))
        bank.setLoop(address, **loop);
    for (const NumberedEntry& output : *outputs) {
        if (Status taken = applyOutput(output, shown, bank, address, place); !taken)
            return taken;
    }
    return {};
}

} // namespace

std::optional<Json> showPatterns(const ShowSource& source, Panel panel) {
    const std::optional<PatternSetting>& patterns = source.settings.patterns;
    if (source.firmware.recognition.panel() != panel || !patterns || !patterns->layout)
        return std::nullopt;
    const PatternBank bank = bankOf(*patterns);
    Json addresses = Json::array();
    for (int address = 1; address <= kPatternAddresses; ++address)
        addresses.push_back(addressJson(bank, address));
    return Json{{"addresses", addresses}};
}

// Values for a kind without this editor are passed over, as the window has no editor for them.
Status applyPatterns(const Json& value, SettingsTarget& target, Panel panel, const char* section) {
    std::optional<PatternSetting>& patterns = target.settings.patterns;
    const std::optional<PatternSetting>& shownPatterns = target.base.patterns;
    if (value.is_null() || target.firmware.recognition.panel() != panel || !patterns || !patterns->layout ||
        !shownPatterns || shownPatterns->layout != patterns->layout)
        return {};
    auto object = sectionObject(value, section);
    if (!object)
        return object.error();
    auto addresses = numberedEntries(**object, "addresses", "address", kPatternAddresses, quotedKey(section));
    if (!addresses)
        return addresses.error();

    const PatternBank shown = bankOf(*shownPatterns);
    PatternBank bank = bankOf(*patterns);
    for (const NumberedEntry& entry : *addresses) {
        if (Status taken = applyAddress(entry, shown, bank, section); !taken)
            return taken;
    }
    patterns->table = bank.table();
    return {};
}

} // namespace hq
