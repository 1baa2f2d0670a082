// "program_table": the 1024 entries of the editors' table in program memory, for the servo, blink
// and LED kinds. `apply` writes them as that editor's "Übernehmen" does.

#include "JsonSection.h"
#include "JsonValues.h"
#include "encode/ProgramTable.h"

#include <QJsonArray>

#include <vector>

namespace hq {

namespace {

struct EditorTable {
    std::vector<int> blocks;
    bool shortBlock1 = false; // the blink editor writes block 1 with seven words in its last record
    int lastEntry = kProgramTableSize - 1;
};

std::optional<EditorTable> editorTable(Panel panel) {
    switch (panel) {
    case Panel::Servo:
        return EditorTable{{3, 4}, false, kProgramTableSize - 1};
    case Panel::Blink:
        return EditorTable{{1}, true, 254};
    case Panel::Led:
        return EditorTable{{1, 2, 3, 4}, false, kProgramTableSize - 1};
    default:
        return std::nullopt;
    }
}

ProgramTable loadedTable(const HexImage& image, const EditorTable& editor) {
    ProgramTable table{};
    for (int block : editor.blocks)
        readProgramBlock(image, block, table);
    return table;
}

QJsonValue show(const Firmware& firmware) {
    auto editor = editorTable(firmware.recognition.panel());
    if (!editor)
        return QJsonValue(QJsonValue::Undefined);
    QJsonArray entries;
    for (int value : loadedTable(firmware.image, *editor))
        entries.append(value);
    return entries;
}

bool changed(const ProgramTable& loaded, const ProgramTable& given, const EditorTable& editor) {
    for (int block : editor.blocks) {
        int first = 256 * (block - 1);
        int last = std::min(first + 255, editor.lastEntry);
        for (int i = first; i <= last; ++i) {
            if (loaded[static_cast<std::size_t>(i)] != given[static_cast<std::size_t>(i)])
                return true;
        }
    }
    return false;
}

// A table for a kind without an editor table is passed over, as the window has no editor for it.
Status apply(const QJsonValue& value, SettingsTarget& target) {
    auto editor = editorTable(target.firmware.recognition.panel());
    if (value.isNull() || !editor)
        return {};
    const QString shape =
        QStringLiteral("\"program_table\" muss eine Liste von %1 ganzen Zahlen von 0 bis 255 sein")
            .arg(kProgramTableSize);
    if (!value.isArray())
        return Error{settingsProblem(shape + u'.')};
    const QJsonArray entries = value.toArray();
    if (entries.size() != kProgramTableSize)
        return Error{settingsProblem(shape + QStringLiteral("; sie hat %1 Einträge.").arg(entries.size()))};
    ProgramTable given{};
    for (int i = 0; i < kProgramTableSize; ++i) {
        auto entry = jsonInteger(entries.at(i));
        if (!entry || *entry < 0 || *entry > 255)
            return Error{
                settingsProblem(shape + QStringLiteral("; Eintrag %1 (gezählt ab 0) ist es nicht.").arg(i))};
        given[static_cast<std::size_t>(i)] = *entry;
    }

    // Like the editor's "Übernehmen", which is enabled only after a change.
    HexImage& image = target.firmware.image;
    if (!changed(loadedTable(image, *editor), given, *editor))
        return {};
    for (int block : editor->blocks) {
        Status written = (block == 1 && editor->shortBlock1) ? writeProgramBlock1Short(image, given)
                                                             : writeProgramBlock(image, block, given);
        if (!written)
            return written;
    }
    return {};
}

} // namespace

const JsonSection& programTableSection() {
    static const JsonSection section{"program_table", show, apply};
    return section;
}

} // namespace hq
