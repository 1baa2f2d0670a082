#pragma once
// The layout sheet ("Anlagenblatt"): a cover with the decoders, the address index sorted by
// address (a table per protocol and address space), the clashes, the free accessory addresses and the files
// passed over, then each decoder's settings sheet, on A4 pages for a printer or a PDF. Cover and sheets come
// from one reading of the files, made when the sheet is made, so they never disagree.

#include "image/Firmware.h"
#include "layout/Layout.h"

#include "io/WriteFile.h"

#include <QDateTime>
#include <QString>

#include <map>
#include <string>

class QPagedPaintDevice;

struct LayoutSheetSource {
    QString folder;
    hq::LayoutScan scan;                       // as the cover shows it
    std::map<std::string, hq::Firmware> files; // each decoder of `scan`, by file
};

// Reads the decoder files of `scan` again (those it passed over stay passed over) with the notes
// of anlage.json. A file that cannot be read now is listed among the files passed over.
LayoutSheetSource readLayoutSheetSource(const QString& folder, const hq::LayoutScan& scan);

// Paints the cover and every decoder's sheet onto `device`; returns the page count, or 0 when the
// device could not be painted on.
int paintLayoutSheet(QPagedPaintDevice& device, const LayoutSheetSource& source,
                     const QDateTime& printedAt = QDateTime::currentDateTime());

// Writes the sheet to `out` as a PDF, replacing an existing file only once the new one is complete.
// A target that is a file of the layout (a decoder, anlage.json) is refused. False with the German
// reason in `error` (which may be null).
// `options` are the write's (a read-only target the user agreed to replace).
bool saveLayoutSheetPdf(const QString& out, const LayoutSheetSource& source, QString* error,
                        const QDateTime& printedAt = QDateTime::currentDateTime(),
                        const hq::io::WriteOptions& options = {});
