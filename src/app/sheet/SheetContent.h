#pragma once
// The texts of the settings sheet, gathered from the firmware and the settings the window shows
// (possibly edited): the lines about the file, and per shown output row its caption, address,
// R/G or function and the address help with its warnings, and where the values are not the file's,
// what the file holds and what the save would refuse. Kept apart from the painting so that what the
// sheet says can be checked without a page.

#include "image/Firmware.h"
#include "settings/FirmwareSettings.h"
#include "sheet/SheetMarks.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

namespace sheet {

struct InfoLine {
    QString label; // "Firmware", "Art", "Version", ...
    QString value;
};

// Firmware caption, kind, version, hardware mark, protocol, type, address range, file and date.
std::vector<InfoLine> infoLines(const hq::Firmware& firmware, const QString& fileName,
                                const QDateTime& printedAt);

struct HelpLine {
    QString text;
    bool warning = false; // printed as "Warnung: ..." and marked
    bool note = false;    // a hint that is no warning
    bool changed = false; // a value that is not the file's, with the file's value
};

struct RowEntry {
    int row = 0;
    QString caption;
    QString address;            // as typed
    QString last;               // "grün"/"rot" for accessory decoders, else the function as typed
    std::vector<HelpLine> help; // changes and refusals, headline, numbering, notes, warnings, EEPROM lines
    RowMarks marks;             // the address and last cell against the file
};

// "R/G" for accessory decoders, "Funktion" for the others, as the grid shows them.
QString lastColumnTitle(const hq::Recognition& recognition);

// The rows the grid shows, in order, with the help for the values in `settings`. A typed text
// that is no number is named as such; for the other rows' warnings it counts as unused. With
// `marks`, a value that is not the file's is named with the file's value ("Adresse 300 (in der
// Datei: 5)"), and one the save refuses with the save's message.
std::vector<RowEntry> rowEntries(const hq::Firmware& firmware, const hq::FirmwareSettings& settings,
                                 const SheetMarks* marks = nullptr);

// Takes the notes that stand in more than one row out of the rows and returns them once each, in
// the order they first appear: the sheet prints them under the table instead of in every row.
QStringList takeSharedNotes(std::vector<RowEntry>& entries);

// Why no rows are listed, or empty when rows are: an unrecognised file or a firmware without
// protocol.
QString noRowsReason(const hq::Recognition& recognition);

// "Verzögerungszeit (1..255): 20", with the hint on one line ("x 0.5 sec"); empty without an extra
// value. A value that is not the file's is followed by "(in der Datei: 30)".
QString extraLine(const hq::Recognition& recognition, const hq::FirmwareSettings& settings,
                  const ValueMark& mark = {});
QString extraHint(const hq::Recognition& recognition);

} // namespace sheet
