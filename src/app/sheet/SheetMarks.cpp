// The sheet's marks, worked out with the save's own apply on copies of the firmware.

#include "sheet/SheetMarks.h"

#include "QtText.h"

#include <QFileInfo>

namespace sheet {

namespace {

QString colourName(int redGreen) {
    return redGreen == 1 ? QStringLiteral("grün") : QStringLiteral("rot");
}

void markChange(ValueMark& mark, const hq::FieldValue& file, const hq::FieldValue& shown) {
    if (file != shown)
        mark = {true, QString::fromStdString(file.text()), {}};
}

void markGridChanges(const hq::Recognition& recognition, const hq::FirmwareSettings& shown,
                     SheetMarks& marks) {
    const bool accessory = recognition.type == hq::DecoderType::Schalt;
    for (std::size_t r = 0; r < marks.rows.size(); ++r) {
        const hq::RowSetting& file = marks.file.rows[r];
        markChange(marks.rows[r].address, file.address, shown.rows[r].address);
        if (accessory && file.redGreen != shown.rows[r].redGreen)
            marks.rows[r].last = {true, colourName(file.redGreen), {}};
        if (!accessory)
            markChange(marks.rows[r].last, file.function, shown.rows[r].function);
    }
    if (recognition.extra())
        markChange(marks.extra, marks.file.extra, shown.extra);
}

// Every grid value the save refuses, each with the save's message. The save names only the first
// one, so the grid values shown are applied with the file's editor values, and each refused value is
// put back to the file's before the next try. Should the file's own value be refused as well, the
// search ends there: the first message is printed in any case.
void markRefusedValues(const hq::Firmware& firmware, const hq::FirmwareSettings& shown, SheetMarks& marks) {
    hq::FirmwareSettings probe = marks.file;
    probe.rows = shown.rows;
    probe.extra = shown.extra;
    for (int round = 0; round < 2 * hq::kRowCount + 2; ++round) {
        hq::Firmware work = firmware;
        const std::optional<hq::ApplyProblem> problem =
            hq::applySettings(work, probe, hq::ApplyOptions{true});
        if (!problem)
            return;
        const auto row = static_cast<std::size_t>(problem->row);
        if (problem->field != hq::FocusField::Extra && row >= marks.rows.size())
            return;
        ValueMark* mark = nullptr;
        switch (problem->field) {
        case hq::FocusField::Extra:
            mark = &marks.extra;
            probe.extra = marks.file.extra;
            break;
        case hq::FocusField::Address:
            mark = &marks.rows[row].address;
            probe.rows[row].address = marks.file.rows[row].address;
            break;
        case hq::FocusField::Function:
            mark = &marks.rows[row].last;
            probe.rows[row].function = marks.file.rows[row].function;
            break;
        case hq::FocusField::None:
            return;
        }
        if (mark->refused())
            return;
        mark->refusal = qs(problem->message).trimmed();
    }
}

QStringList changeTexts(const std::vector<hq::SettingsChange>& changes, hq::SettingsChange::Area area) {
    QStringList texts;
    for (const hq::SettingsChange& change : changes) {
        if (change.area == area)
            texts << qs(change.text());
    }
    return texts;
}

} // namespace

SheetMarks sheetMarks(const hq::Firmware& firmware, const hq::FirmwareSettings& shown, const QString& path) {
    SheetMarks marks;
    marks.file = hq::readSettings(firmware);
    marks.fileName = QFileInfo(path).fileName();
    marks.unsaved = !(shown == marks.file);
    if (firmware.recognition.kind == 0)
        return marks;

    markGridChanges(firmware.recognition, shown, marks);
    hq::Firmware saved = firmware;
    if (const auto problem = hq::applySettings(saved, shown, hq::ApplyOptions{true})) {
        marks.saveRefusal = qs(problem->message).trimmed();
        markRefusedValues(firmware, shown, marks);
    }
    marks.hell = hq::neonHellConflict(firmware, shown);
    if (marks.unsaved) {
        const std::vector<hq::SettingsChange> changes = hq::settingsChanges(firmware, marks.file, shown);
        marks.servoChanges = changeTexts(changes, hq::SettingsChange::Area::Servo);
        marks.patternChanges = changeTexts(changes, hq::SettingsChange::Area::Patterns);
    }
    return marks;
}

QString unsavedBanner(const SheetMarks& marks) {
    const QString where = marks.fileName.isEmpty() ? QStringLiteral("der Datei") : marks.fileName;
    return QStringLiteral("Nicht gespeichert — diese Werte stehen noch nicht in ") + where;
}

QString refusalText(const QString& message) {
    return QStringLiteral("wird beim Speichern abgelehnt: ") + message;
}

QString changedMark() {
    return QStringLiteral("geändert, nicht gespeichert");
}

QString fileValueText(const QString& fileValue) {
    return QStringLiteral("(in der Datei: ") + fileValue + u')';
}

} // namespace sheet
