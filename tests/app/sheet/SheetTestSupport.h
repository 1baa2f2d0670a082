#pragma once
// Shared by the sheet tests: the demo firmwares the build writes, and the text and page count of a
// PDF as poppler's tools read them.

#include "image/Firmware.h"

#include <QString>

namespace sheettest {

// HQ_EXAMPLES_DIR/demo-<kind>-<mm|dcc>.hex
QString demoPath(int kind, const QString& protocol);
hq::Firmware loadDemo(int kind, const QString& protocol);

// True when pdftotext, pdfinfo and pdfimages can be run.
bool popplerAvailable();
// `pdftotext -layout`: the text with the columns of a line kept on that line.
QString pdfText(const QString& pdf);
int pdfPages(const QString& pdf);
// The number of raster images in the file (`pdfimages -list`).
int pdfImages(const QString& pdf);

} // namespace sheettest
