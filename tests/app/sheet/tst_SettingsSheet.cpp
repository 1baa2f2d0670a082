// The settings sheet: what its texts say for loaded and edited settings, that the PDF holds every
// shown row with caption and address and the editor firmwares' tables and drawings (as vectors,
// not pictures), that long content runs over several pages, that a QPrinter prints it, and that
// files that cannot be read or written give German reasons and leave things as they were.

#include "QtTestSuite.h"
#include "QtText.h"
#include "SheetTestSupport.h"
#include "demo/DemoFirmware.h"
#include "settings/RowsAsRead.h"
#include "sheet/SettingsSheet.h"
#include "sheet/SheetContent.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using sheettest::loadDemo;

namespace {

const QDateTime kPrinted(QDate(2024, 3, 9), QTime(14, 5));

QString caption(const hq::Firmware& firmware) {
    return qs(firmware.recognition.statusCaption());
}

// True when one line of `text` holds the row number, caption and address in that order, as the
// table's columns put them.
bool hasRowLine(const QString& text, const sheet::RowEntry& row) {
    const QRegularExpression line(
        QStringLiteral("(^|\\s)%1\\s+%2\\s+%3(\\s|$)")
            .arg(row.row)
            .arg(QRegularExpression::escape(row.caption), QRegularExpression::escape(row.address)),
        QRegularExpression::MultilineOption);
    return line.match(text).hasMatch();
}

bool hasWarning(const sheet::RowEntry& row, const QString& part) {
    for (const sheet::HelpLine& line : row.help) {
        if (line.warning && line.text.contains(part))
            return true;
    }
    return false;
}

} // namespace

class SettingsSheetTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void infoLinesNameTheFirmwareAndTheFile();
    void rowsFollowTheSettingsShown();
    void vehicleRowsShowTheFunction();
    void noRowsWithoutProtocol();
    void aRowKeptAsReadSaysWhatItsBytesAre();
    void damagedAndUnknownFilesStillPrint();
    void pdfHoldsEveryShownRow_data();
    void pdfHoldsEveryShownRow();
    void editorTablesArePrinted();
    void editedSettingsArePrintedNotTheFile();
    void drawingsAreVectors();
    void ledPatternsRunOverSeveralPages();
    void printsThroughAPrinter();
    void refusedFilesGiveGermanReasons();
    void firstPagePicture();

private:
    QString writePdf(const hq::Firmware& firmware, const hq::FirmwareSettings& settings, const QString& name);

    QTemporaryDir dir;
};

void SettingsSheetTest::initTestCase() {
    QVERIFY(dir.isValid());
    if (!sheettest::popplerAvailable())
        QSKIP("poppler-utils (pdftotext, pdfinfo, pdfimages) are needed to read the PDF back");
}

QString SettingsSheetTest::writePdf(const hq::Firmware& firmware, const hq::FirmwareSettings& settings,
                                    const QString& name) {
    const QString path = dir.filePath(name);
    QString error;
    if (!saveSettingsSheetPdf(
            path, firmware, settings,
            QStringLiteral("/daten/") + QFileInfo(name).completeBaseName() + QStringLiteral(".hex"), &error))
        qWarning("%s", qPrintable(error));
    return path;
}

void SettingsSheetTest::infoLinesNameTheFirmwareAndTheFile() {
    const hq::Firmware firmware = loadDemo(31, QStringLiteral("dcc"));
    const auto lines = sheet::infoLines(firmware, QStringLiteral("/daten/relais.hex"), kPrinted);
    auto value = [&lines](const QString& label) {
        for (const sheet::InfoLine& line : lines) {
            if (line.label == label)
                return line.value;
        }
        return QStringLiteral("<fehlt>");
    };
    QCOMPARE(value(QStringLiteral("Firmware")), QStringLiteral("Relaisdekoder 8"));
    QCOMPARE(value(QStringLiteral("Art")), QStringLiteral("31"));
    QCOMPARE(value(QStringLiteral("Version")), qs(firmware.scan.version));
    QCOMPARE(value(QStringLiteral("Hardware")), qs(firmware.scan.hardwareMark));
    QCOMPARE(value(QStringLiteral("Protokoll")), QStringLiteral("DCC (Statusleiste: DCC)"));
    QCOMPARE(value(QStringLiteral("Typ")), QStringLiteral("Schalt"));
    QCOMPARE(value(QStringLiteral("Datei")), QStringLiteral("/daten/relais.hex"));
    QCOMPARE(value(QStringLiteral("Datum")), QStringLiteral("09.03.2024 14:05"));
}

void SettingsSheetTest::rowsFollowTheSettingsShown() {
    const hq::Firmware firmware = loadDemo(31, QStringLiteral("dcc"));
    hq::FirmwareSettings settings = hq::readSettings(firmware);
    settings.rows[1].redGreen = 0;
    settings.rows[2].address = hq::FieldValue::fromText("40");
    settings.rows[3].address = hq::FieldValue::fromText("40");
    settings.rows[3].redGreen = 1;
    settings.rows[4].address = hq::FieldValue::fromText("4x");
    settings.rows[5].address = hq::FieldValue::fromText("2042");

    const std::vector<sheet::RowEntry> rows = sheet::rowEntries(firmware, settings);
    // Out 1..8 and All; row 0 never shows.
    QCOMPARE(rows.size(), std::size_t{9});
    QCOMPARE(rows.front().row, 1);
    QCOMPARE(rows.front().caption, QStringLiteral("Out 1"));
    QCOMPARE(rows.back().caption, QStringLiteral("All"));
    QCOMPARE(rows[0].last, QStringLiteral("rot"));
    QCOMPARE(rows[1].last, QStringLiteral("grün"));
    QCOMPARE(rows[0].help.front().text, QStringLiteral("DCC-Zubehöradresse %1, rot").arg(rows[0].address));
    // The help reads the edited values: the same address twice is warned about on both rows.
    QCOMPARE(rows[1].address, QStringLiteral("40"));
    QVERIFY(hasWarning(rows[1], QStringLiteral("Zeile 3")));
    QVERIFY(hasWarning(rows[2], QStringLiteral("Zeile 2")));
    QVERIFY(hasWarning(rows[3], QStringLiteral("keine Zahl")));
    QVERIFY(hasWarning(rows[4], QStringLiteral("Rundruf-Adresse")));
    // A note that every DCC row would repeat is printed once under the table.
    std::vector<sheet::RowEntry> shortened = rows;
    const QStringList notes = sheet::takeSharedNotes(shortened);
    QCOMPARE(notes.size(), 1);
    QVERIFY(notes.front().contains(QStringLiteral("Zentralen")));
    for (const sheet::RowEntry& row : shortened) {
        for (const sheet::HelpLine& line : row.help)
            QVERIFY(line.text != notes.front());
    }
    QCOMPARE(shortened[1].help.size() + 1, rows[1].help.size());
    // Every row names the HEX lines of its EEPROM bytes.
    for (const sheet::RowEntry& row : rows)
        QVERIFY(row.help.back().text.contains(QStringLiteral("EEPROM-Byte")));
}

void SettingsSheetTest::vehicleRowsShowTheFunction() {
    const hq::Firmware firmware = loadDemo(2, QStringLiteral("mm"));
    QCOMPARE(sheet::lastColumnTitle(firmware.recognition), QStringLiteral("Funktion"));
    hq::FirmwareSettings settings = hq::readSettings(firmware);
    settings.rows[2].function = hq::FieldValue::fromText("3");
    settings.rows[3].function = hq::FieldValue::fromText("");
    const auto rows = sheet::rowEntries(firmware, settings);
    QCOMPARE(rows.size(), std::size_t{4});
    QCOMPARE(rows[1].last, QStringLiteral("3"));
    QVERIFY(rows[1].help.front().text.contains(QStringLiteral("Funktion 3")));
    QVERIFY(hasWarning(rows[2], QStringLiteral("Funktion")));
}

// A damaged line makes row 1 show a value its bytes do not hold; a sheet of it must not pass that
// value off as the decoder's address.
void SettingsSheetTest::aRowKeptAsReadSaysWhatItsBytesAre() {
    QStringList lines =
        QString::fromStdString(hq::demoFirmwareText(31, hq::Protocol::DCC)).split(QStringLiteral("\r\n"));
    const auto at = std::find_if(lines.begin(), lines.end(), [](const QString& line) {
        return line.startsWith(QStringLiteral(":10420000"));
    });
    QVERIFY(at != lines.end());
    at->replace(13, 2, QStringLiteral("5A")); // row 1's first code byte; the checksum is now wrong
    auto loaded = hq::loadFirmware(lines.join(QStringLiteral("\r\n")).toStdString());
    QVERIFY(loaded.ok());
    hq::FirmwareSettings settings = hq::readSettings(*loaded);
    auto rows = sheet::rowEntries(*loaded, settings);
    QVERIFY(hasWarning(rows[0], QStringLiteral("Die Bytes dieser Zeile (5A")));
    QVERIFY(rows[0].help.front().text.startsWith(QStringLiteral("Die Bytes dieser Zeile")));
    // The other rows with bytes in the damaged line say so too, and only they.
    const hq::RowsAsRead kept = hq::rowsAsRead(*loaded);
    int keptRows = 0;
    for (const sheet::RowEntry& row : rows) {
        const bool asRead = kept[static_cast<std::size_t>(row.row)].has_value();
        keptRows += asRead ? 1 : 0;
        QCOMPARE(hasWarning(row, QStringLiteral("Die Bytes dieser Zeile")), asRead);
    }
    QVERIFY(keptRows > 1 && keptRows < static_cast<int>(rows.size()));
    // With a new value typed the row holds what the sheet prints.
    settings.rows[1].address = hq::FieldValue(9);
    rows = sheet::rowEntries(*loaded, settings);
    QCOMPARE(rows[0].address, QStringLiteral("9"));
    QVERIFY(!hasWarning(rows[0], QStringLiteral("Die Bytes dieser Zeile")));
}

void SettingsSheetTest::noRowsWithoutProtocol() {
    auto loaded = hq::loadFirmware(hq::demoFirmwareText(31, hq::Protocol::None));
    QVERIFY(loaded.ok());
    QVERIFY(sheet::rowEntries(*loaded, hq::readSettings(*loaded)).empty());
    QCOMPARE(sheet::noRowsReason(loaded->recognition),
             QStringLiteral("Ohne erkanntes Protokoll werden keine Ausgänge angezeigt."));
    const QString pdf = writePdf(*loaded, hq::readSettings(*loaded), QStringLiteral("ohne.pdf"));
    QVERIFY(sheettest::pdfText(pdf).contains(QStringLiteral("Ohne erkanntes Protokoll")));
}

void SettingsSheetTest::damagedAndUnknownFilesStillPrint() {
    // A record with a wrong checksum: the sheet carries the window's warning, so nobody programs a
    // decoder from a printout without seeing it.
    std::string text = hq::demoFirmwareText(43, hq::Protocol::DCC);
    const std::size_t record = text.find(":1000200");
    QVERIFY(record != std::string::npos);
    text[record + 9] = text[record + 9] == '0' ? '1' : '0';
    auto damaged = hq::loadFirmware(text);
    QVERIFY(damaged.ok());
    QVERIFY(!hq::badRecordWarning(damaged->image).empty());
    const QString damagedText =
        sheettest::pdfText(writePdf(*damaged, hq::readSettings(*damaged), QStringLiteral("kaputt.pdf")));
    QVERIFY(damagedText.contains(QStringLiteral("falscher Prüfsumme")));

    // An unrecognised file as the window may still hold it: a sheet that says so.
    auto unknown = hq::loadFirmware(":020000000000FE\r\n:00000001FF\r\n");
    QVERIFY(unknown.ok());
    QCOMPARE(unknown->recognition.kind, 0);
    const QString unknownText =
        sheettest::pdfText(writePdf(*unknown, hq::readSettings(*unknown), QStringLiteral("fremd.pdf")));
    QVERIFY(unknownText.contains(QStringLiteral("Firmware nicht erkannt")));
    QVERIFY(unknownText.contains(QStringLiteral("Das HEX-File konnte leider nicht erkannt werden")));
}

void SettingsSheetTest::pdfHoldsEveryShownRow_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("protocol");
    for (int kind : {42, 43, 45}) {
        QTest::addRow("editor %d mm", kind) << kind << QStringLiteral("mm");
        QTest::addRow("editor %d dcc", kind) << kind << QStringLiteral("dcc");
    }
    QTest::addRow("neon 44") << 44 << QStringLiteral("dcc");
    QTest::addRow("house 15") << 15 << QStringLiteral("mm");
    QTest::addRow("relay 31") << 31 << QStringLiteral("dcc");
    QTest::addRow("turntable 19") << 19 << QStringLiteral("mm");
    QTest::addRow("signal SBB 9") << 9 << QStringLiteral("mm");
    QTest::addRow("function decoder 2") << 2 << QStringLiteral("dcc");
}

void SettingsSheetTest::pdfHoldsEveryShownRow() {
    QFETCH(int, kind);
    QFETCH(QString, protocol);
    const hq::Firmware firmware = loadDemo(kind, protocol);
    const hq::FirmwareSettings settings = hq::readSettings(firmware);
    const QString text = sheettest::pdfText(
        writePdf(firmware, settings, QStringLiteral("rows-%1-%2.pdf").arg(kind).arg(protocol)));
    QVERIFY(!text.isEmpty());
    QVERIFY2(text.contains(caption(firmware)), qPrintable(caption(firmware)));
    QVERIFY(text.contains(QStringLiteral("rows-%1-%2.hex").arg(kind).arg(protocol)));
    const auto rows = sheet::rowEntries(firmware, settings);
    QVERIFY(!rows.empty());
    for (const sheet::RowEntry& row : rows)
        QVERIFY2(hasRowLine(text, row),
                 qPrintable(QStringLiteral("Zeile %1 %2 %3").arg(row.row).arg(row.caption, row.address)));
    if (const auto& extra = firmware.recognition.extra())
        QVERIFY(text.contains(qs(extra->caption) + QStringLiteral(": ") +
                              QString::fromStdString(settings.extra.text())));
}

void SettingsSheetTest::editorTablesArePrinted() {
    const hq::Firmware servo = loadDemo(42, QStringLiteral("dcc"));
    const QString servoText =
        sheettest::pdfText(writePdf(servo, hq::readSettings(servo), QStringLiteral("servo.pdf")));
    for (const char* part : {"Servo-Kurven", "Kurve 1", "Kurve 4", "Zeit zwischen 2 Punkten",
                             "Gesamtzeit für diese Kurve", "Zuordnung", "a1", "a8", "Impulse", "Offset [ms]",
                             "Maximum [ms]", "Optionen", "Spannung aus", "keine Wiederholung"})
        QVERIFY2(servoText.contains(QString::fromUtf8(part)), part);

    const hq::Firmware blink = loadDemo(43, QStringLiteral("mm"));
    const QString blinkText =
        sheettest::pdfText(writePdf(blink, hq::readSettings(blink), QStringLiteral("blink.pdf")));
    for (const char* part :
         {"Blinkmuster", "Adresse 1", "Adresse 4", "Zeit-Raster", "Gesamtzeit", "Loop", "Ausgang 4"})
        QVERIFY2(blinkText.contains(QString::fromUtf8(part)), part);

    const hq::Firmware neon = loadDemo(44, QStringLiteral("dcc"));
    const hq::FirmwareSettings neonSettings = hq::readSettings(neon);
    QVERIFY(neonSettings.neon && neonSettings.neon->hell);
    const QString neonText = sheettest::pdfText(writePdf(neon, neonSettings, QStringLiteral("neon.pdf")));
    QVERIFY(QRegularExpression(
                QStringLiteral("Licht-Stufe HELL \\(0\\.\\.255\\)\\s+%1\\b").arg(*neonSettings.neon->hell))
                .match(neonText)
                .hasMatch());
    QVERIFY(neonText.contains(QStringLiteral("Verzögerungs-Zeit")));

    const hq::Firmware house = loadDemo(15, QStringLiteral("mm"));
    const QString houseText =
        sheettest::pdfText(writePdf(house, hq::readSettings(house), QStringLiteral("house.pdf")));
    QVERIFY(houseText.contains(QStringLiteral("Mindestanzahl (1..9)")));
}

void SettingsSheetTest::editedSettingsArePrintedNotTheFile() {
    const hq::Firmware firmware = loadDemo(42, QStringLiteral("mm"));
    hq::FirmwareSettings settings = hq::readSettings(firmware);
    settings.rows[3].address = hq::FieldValue::fromText("211");
    hq::CurveBlock& curve = settings.servo->data.curve(2);
    curve[hq::kCurveCountEntry] = 17;
    curve[hq::kCurveStretchEntry] = 9;
    settings.servo->timing.setOffset(3, 250);
    const QString text = sheettest::pdfText(writePdf(firmware, settings, QStringLiteral("edited.pdf")));
    QVERIFY(QRegularExpression(QStringLiteral("(^|\\s)3\\s+Adresse 03\\s+211\\s")).match(text).hasMatch());
    QVERIFY(
        text.contains(QStringLiteral("Anzahl Punkte: 17 · Stretch: 9 · Zeit zwischen 2 Punkten = 180 ms · "
                                     "Gesamtzeit für diese Kurve = 2880 ms")));
    // Offset 250 units of 8 µs.
    QVERIFY(QRegularExpression(QStringLiteral("Servo 3\\s+2,000\\s")).match(text).hasMatch());
}

void SettingsSheetTest::drawingsAreVectors() {
    for (int kind : {42, 45}) {
        const hq::Firmware firmware = loadDemo(kind, QStringLiteral("dcc"));
        const QString pdf =
            writePdf(firmware, hq::readSettings(firmware), QStringLiteral("vector-%1.pdf").arg(kind));
        QCOMPARE(sheettest::pdfImages(pdf), 0);
    }
}

void SettingsSheetTest::ledPatternsRunOverSeveralPages() {
    const hq::Firmware firmware = loadDemo(45, QStringLiteral("mm"));
    const QString pdf = writePdf(firmware, hq::readSettings(firmware), QStringLiteral("led.pdf"));
    const int pages = sheettest::pdfPages(pdf);
    QVERIFY2(pages >= 2, qPrintable(QString::number(pages)));
    const QString text = sheettest::pdfText(pdf);
    QVERIFY(text.contains(QStringLiteral("Seite 1 von %1").arg(pages)));
    QVERIFY(text.contains(QStringLiteral("Seite %1 von %1").arg(pages)));
    for (int address = 1; address <= 4; ++address)
        QVERIFY(text.contains(QStringLiteral("Adresse %1").arg(address)));
    QVERIFY(text.contains(QStringLiteral("Ausgang 10")));
    // A4 portrait: 595 x 842 points.
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY(info.waitForFinished());
    QVERIFY(QString::fromUtf8(info.readAllStandardOutput()).contains(QStringLiteral("(A4)")));
}

void SettingsSheetTest::printsThroughAPrinter() {
    const hq::Firmware firmware = loadDemo(43, QStringLiteral("dcc"));
    const QString path = dir.filePath(QStringLiteral("printer.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    prepareSheetPage(printer);
    QVERIFY(paintSettingsSheet(printer, firmware, hq::readSettings(firmware), QStringLiteral("blink.hex"),
                               kPrinted) >= 1);
    const QString text = sheettest::pdfText(path);
    QVERIFY(text.contains(caption(firmware)));
    QVERIFY(text.contains(QStringLiteral("09.03.2024 14:05")));
    QVERIFY(text.contains(QStringLiteral("Muster 4")));
}

void SettingsSheetTest::refusedFilesGiveGermanReasons() {
    const QString out = dir.filePath(QStringLiteral("refused.pdf"));
    {
        QFile existing(out);
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("alt");
    }
    QString error;
    QCOMPARE(writeSettingsSheetPdf(out, dir.filePath(QStringLiteral("fehlt.hex")), &error), 1);
    QVERIFY2(error.contains(QStringLiteral("wurde nicht gefunden")), qPrintable(error));

    const QString text = dir.filePath(QStringLiteral("notiz.txt"));
    {
        QFile file(text);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Einkaufsliste\nBrot\n");
    }
    error.clear();
    QCOMPARE(writeSettingsSheetPdf(out, text, &error), 1);
    QCOMPARE(error, QStringLiteral("Das HEX-File konnte leider nicht erkannt werden"));
    QFile kept(out);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("alt"));

    error.clear();
    const QString nowhere = dir.filePath(QStringLiteral("kein-ordner/blatt.pdf"));
    QCOMPARE(writeSettingsSheetPdf(nowhere, sheettest::demoPath(31, QStringLiteral("mm")), &error), 1);
    QVERIFY2(error.contains(QStringLiteral("konnte nicht geschrieben werden")), qPrintable(error));
    QVERIFY(!QFile::exists(nowhere));

    // The sheet never replaces the firmware it describes, not even through a link.
    const QString hex = dir.filePath(QStringLiteral("relais.hex"));
    QVERIFY(QFile::copy(sheettest::demoPath(31, QStringLiteral("mm")), hex));
    const QString link = dir.filePath(QStringLiteral("verweis.pdf"));
    QVERIFY(QFile::link(hex, link));
    for (const QString& target : {hex, link}) {
        error.clear();
        QCOMPARE(writeSettingsSheetPdf(target, hex, &error), 1);
        QVERIFY2(error.contains(QStringLiteral("HEX-File")), qPrintable(error));
    }
    QFile original(sheettest::demoPath(31, QStringLiteral("mm")));
    QFile copy(hex);
    QVERIFY(original.open(QIODevice::ReadOnly) && copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.readAll(), original.readAll());

    error.clear();
    QCOMPARE(writeSettingsSheetPdf(out, sheettest::demoPath(31, QStringLiteral("mm")), &error), 0);
    QVERIFY(error.isEmpty());
    QVERIFY(kept.seek(0));
    kept.close();
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QVERIFY(kept.readAll().startsWith("%PDF"));
}

void SettingsSheetTest::firstPagePicture() {
    // The first page of the servo sheet as a picture for a look by eye.
    const hq::Firmware firmware = loadDemo(42, QStringLiteral("dcc"));
    const QString pdf = writePdf(firmware, hq::readSettings(firmware), QStringLiteral("sheet-42.pdf"));
    QDir().mkpath(QStringLiteral(HQ_SHOTS_DIR));
    QProcess render;
    render.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-f"),
                  QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                  QStringLiteral("-singlefile"), pdf, QStringLiteral(HQ_SHOTS_DIR "/sheet-42")});
    QVERIFY(render.waitForFinished());
    QCOMPARE(render.exitCode(), 0);
    QVERIFY(QFile::exists(QStringLiteral(HQ_SHOTS_DIR "/sheet-42.png")));
}

HQ_TEST_CLASS(SettingsSheetTest)
#include "tst_SettingsSheet.moc"
