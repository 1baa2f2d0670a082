// "program_table": the 1024 entries of the editors' table in program memory, for the servo, blink
// and LED kinds, only in `show --json`. `apply` takes the entries of the editor's blocks into the
// editor's settings (the servo curves of blocks 3 and 4, the pattern table of block 1 or blocks 1
// to 4); saving writes them as that editor's "Übernehmen" does.

#include "JsonSection.h"
#include "encode/ProgramTable.h"
#include "servo/ServoData.h"

#include <vector>

namespace hq {

namespace program_table_json {
namespace {

struct EditorTable {
    std::vector<int> blocks;
    int lastEntry = kProgramTableSize - 1; // the blink editor never writes entry 255
};

std::optional<EditorTable> editorTable(Panel panel) {
    switch (panel) {
    case Panel::Servo:
        return EditorTable{{3, 4}, kProgramTableSize - 1};
    case Panel::Blink:
        return EditorTable{{1}, 254};
    case Panel::Led:
        return EditorTable{{1, 2, 3, 4}, kProgramTableSize - 1};
    default:
        return std::nullopt;
    }
}

std::optional<Json> show(const ShowSource& source) {
    const Firmware& firmware = source.firmware;
    auto editor = editorTable(firmware.recognition.panel());
    if (!editor || source.form != JsonForm::Firmware)
        return std::nullopt;
    ProgramTable table{};
    for (int block : editor->blocks)
        readProgramBlock(firmware.image, block, table);
    Json entries = Json::array();
    for (int value : table)
        entries.push_back(value);
    return entries;
}

// A table for a kind without an editor table is passed over, as the window has no editor for it.
Status apply(const Json& value, SettingsTarget& target) {
    auto editor = editorTable(target.firmware.recognition.panel());
    if (value.is_null() || !editor)
        return {};
    const std::string shape = "\"program_table\" muss eine Liste von " + std::to_string(kProgramTableSize) +
                              " ganzen Zahlen von 0 bis 255 sein";
    if (!value.is_array())
        return settingsError(shape + ".");
    if (value.size() != static_cast<std::size_t>(kProgramTableSize))
        return settingsError(shape + "; sie hat " + std::to_string(value.size()) + " Einträge.");
    ProgramTable given{};
    for (int i = 0; i < kProgramTableSize; ++i) {
        auto entry = jsonInteger(value[static_cast<std::size_t>(i)]);
        if (!entry || *entry < 0 || *entry > 255)
            return settingsError(shape + "; Eintrag " + std::to_string(i) + " (gezählt ab 0) ist es nicht.");
        given[static_cast<std::size_t>(i)] = *entry;
    }

    FirmwareSettings& settings = target.settings;
    if (settings.servo && target.firmware.recognition.panel() == Panel::Servo) {
        settings.servo->data = servoDataFromTable(given);
    } else if (settings.patterns) {
        for (int block : editor->blocks) {
            const int first = 256 * (block - 1);
            const int last = std::min(first + 255, editor->lastEntry);
            for (int i = first; i <= last; ++i)
                settings.patterns->table[static_cast<std::size_t>(i)] = given[static_cast<std::size_t>(i)];
        }
    }
    return {};
}

} // namespace
} // namespace program_table_json

const JsonSection& programTableSection() {
    static const JsonSection section{"program_table", program_table_json::show, program_table_json::apply};
    return section;
}

} // namespace hq
