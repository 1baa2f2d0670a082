#pragma once
// The printable settings sheet: everything a loaded firmware is set to, on A4 pages. A title with
// the firmware and the file, the table of the shown output rows with their address help and
// warnings, the extra value, and for the editor firmwares the servo curves, assignments, pulse
// timing and options, the blink or LED patterns drawn as vector graphics, or the neon and
// house-light values. The same painting serves a QPrinter ("Drucken…") and a QPdfWriter ("Als PDF
// speichern…", `hexquendra --pdf`).

#include "image/Firmware.h"
#include "settings/FirmwareSettings.h"

#include "io/WriteFile.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

class QPagedPaintDevice;
class QPainter;

// A4 portrait with 15 mm margins, which the sheet is laid out for. For a printer, call it before
// the print dialog; the user may still choose another paper.
void prepareSheetPage(QPagedPaintDevice& device);

// Paints the sheet of `firmware` (the file as it is on disk: loaded or last saved) with `settings`
// (what the window shows, possibly edited) onto `device`, which lays out for the device's page size.
// `fileName` is printed as given. Where `settings` are not the file's, every page says "Nicht
// gespeichert — diese Werte stehen noch nicht in NAME", each value that differs is marked with the
// file's value beside it, and each value "HEX speichern" would refuse is marked with its message.
// Returns the page count, or 0 when the device could not be painted on.
int paintSettingsSheet(QPagedPaintDevice& device, const hq::Firmware& firmware,
                       const hq::FirmwareSettings& settings, const QString& fileName,
                       const QDateTime& printedAt = QDateTime::currentDateTime());

// The same with `painter`, already active on `device`, from the device's current page on: the
// sheets of many decoders in one print job or PDF (the layout sheet). The caller starts a new page
// before each sheet but the first. Returns the sheet's page count.
int paintSettingsSheet(QPainter& painter, QPagedPaintDevice& device, const hq::Firmware& firmware,
                       const hq::FirmwareSettings& settings, const QString& fileName,
                       const QDateTime& printedAt = QDateTime::currentDateTime());

// The sheet as an A4 PDF document in memory.
QByteArray settingsSheetPdf(const hq::Firmware& firmware, const hq::FirmwareSettings& settings,
                            const QString& fileName,
                            const QDateTime& printedAt = QDateTime::currentDateTime());

// Writes the sheet to `out` as a PDF, replacing an existing file only once the new one is complete.
// `out` naming the file `fileName` itself is refused. False with the German reason in `error`
// (which may be null).
// `options` are the write's (a read-only target the user agreed to replace).
bool saveSettingsSheetPdf(const QString& out, const hq::Firmware& firmware,
                          const hq::FirmwareSettings& settings, const QString& fileName, QString* error,
                          const hq::io::WriteOptions& options = {});

// For scripts (`hexquendra --pdf OUT.pdf FILE`): the sheet of `hexFile` as it is, without marks.
// Returns 0, or 1
// with the German reason in `error` when the file cannot be read or is not recognised, or the PDF
// cannot be written.
int writeSettingsSheetPdf(const QString& out, const QString& hexFile, QString* error);
