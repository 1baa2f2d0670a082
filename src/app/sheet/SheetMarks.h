#pragma once
// What the sheet marks so that a printout never passes for the file when it is not: whether what the
// window shows differs from the file on disk, which grid values differ (with the file's value beside
// them), which values "HEX speichern" would refuse (with its own message), the neon HELL level a
// save would store differently, and which editor areas differ. The checks are the save's own: the
// settings are applied to a copy of the firmware exactly as the save applies them.

#include "image/Firmware.h"
#include "settings/FirmwareSettings.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace sheet {

// One grid value on the sheet against the file.
struct ValueMark {
    bool changed = false; // the value shown is not the file's
    QString fileValue;    // the file's value as the sheet prints it, when changed
    QString refusal;      // the save's message for this value, when the save refuses it

    bool refused() const { return !refusal.isEmpty(); }
};

struct RowMarks {
    ValueMark address;
    ValueMark last; // R/G of accessory decoders, else the function number
};

struct SheetMarks {
    // What the window shows differs from the file: every page says so.
    bool unsaved = false;
    // The file's name without folders, for "diese Werte stehen noch nicht in NAME".
    QString fileName;
    // The settings as the file holds them, which the editor sections are compared with.
    hq::FirmwareSettings file;
    std::array<RowMarks, hq::kRowCount> rows;
    ValueMark extra;
    // What "HEX speichern" answers for the values shown, when it refuses them.
    QString saveRefusal;
    // The HELL level the saved file would hold instead of the one shown.
    std::optional<hq::NeonHellConflict> hell;
    // The editor areas' differences from the file, worded for the user ("Kurve 2: Punkte geändert",
    // "Impulse Servo 3: 1,000 – 2,016 ms → 2,000 – 3,016 ms").
    QStringList servoChanges;
    QStringList patternChanges;
};

// The marks for a sheet of `shown` over `firmware` (the file as it is on disk) named `path`.
SheetMarks sheetMarks(const hq::Firmware& firmware, const hq::FirmwareSettings& shown, const QString& path);

// "Nicht gespeichert — diese Werte stehen noch nicht in NAME".
QString unsavedBanner(const SheetMarks& marks);

// "wird beim Speichern abgelehnt: Adresse für <Out 7> ist zu gross".
QString refusalText(const QString& message);

// "geändert, nicht gespeichert", beside a heading or a figure's title.
QString changedMark();

// "(in der Datei: 5)".
QString fileValueText(const QString& fileValue);

} // namespace sheet
