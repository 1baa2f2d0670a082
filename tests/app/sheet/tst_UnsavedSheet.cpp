// A sheet never passes for the file when the window shows something else: every page of a sheet
// with unsaved values says so and names the file, each value that differs carries the file's value,
// each value the save would refuse carries the save's message (all of them, not only the first), the
// editor sections that differ say so, and a sheet of the file as it is carries no mark at all.

#include "QtTestSuite.h"
#include "QtText.h"
#include "SheetTestSupport.h"
#include "sheet/SettingsSheet.h"
#include "sheet/SheetContent.h"
#include "sheet/SheetMarks.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using sheettest::loadDemo;

namespace {

const QString kBanner = QStringLiteral("Nicht gespeichert — diese Werte stehen noch nicht in ");

// The text of each page, as pdftotext separates them with a form feed.
QStringList pageTexts(const QString& text) {
    QStringList pages = text.split(u'\f');
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// One line of the sheet: pdftotext keeps columns apart with runs of blanks.
QString oneSpaced(const QString& text) {
    return text.simplified();
}

// The first line of `text` that starts with `part`: a heading or a figure's title. Empty when there
// is none, which the callers check.
QString lineWith(const QString& text, const QString& part) {
    for (const QString& line : text.split(u'\n')) {
        if (line.trimmed().startsWith(part))
            return line;
    }
    return {};
}

// 1 when the line starting with `part` says "geändert, nicht gespeichert", 0 when not, -1 when there
// is no such line.
int lineMark(const QString& text, const QString& part) {
    const QString line = lineWith(text, part);
    if (line.isEmpty())
        return -1;
    return line.contains(sheet::changedMark()) ? 1 : 0;
}

bool anyMark(const sheet::SheetMarks& marks) {
    auto marked = [](const sheet::ValueMark& mark) { return mark.changed || mark.refused(); };
    for (const sheet::RowMarks& row : marks.rows) {
        if (marked(row.address) || marked(row.last))
            return true;
    }
    return marked(marks.extra) || !marks.saveRefusal.isEmpty() || marks.hell ||
           !marks.servoChanges.isEmpty() || !marks.patternChanges.isEmpty();
}

} // namespace

class UnsavedSheetTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void marksNameTheFileValueAndEveryRefusal();
    void functionAndExtraValuesAreCheckedAsTheSaveChecksThem();
    void everyPageCarriesTheBanner();
    void printerPagesCarryTheBanner();
    void editorSectionsSayWhatChanged();
    void neonLevelTheFileCannotHold();
    void theFileAsItIsHasNoMarks();
    void unsavedPagePicture();

private:
    QString writePdf(const hq::Firmware& firmware, const hq::FirmwareSettings& settings, const QString& name);

    QTemporaryDir dir;
};

void UnsavedSheetTest::initTestCase() {
    QVERIFY(dir.isValid());
    if (!sheettest::popplerAvailable())
        QSKIP("poppler-utils (pdftotext, pdfinfo, pdfimages) are needed to read the PDF back");
}

QString UnsavedSheetTest::writePdf(const hq::Firmware& firmware, const hq::FirmwareSettings& settings,
                                   const QString& name) {
    const QString path = dir.filePath(name);
    QString error;
    if (!saveSettingsSheetPdf(path, firmware, settings, QStringLiteral("/daten/decoder.hex"), &error))
        qWarning("%s", qPrintable(error));
    return path;
}

void UnsavedSheetTest::marksNameTheFileValueAndEveryRefusal() {
    // The case from the field: Out 1 = 300 and Out 7 = 555 typed over 5 and 11, MM range 1..320.
    const hq::Firmware firmware = loadDemo(31, QStringLiteral("mm"));
    hq::FirmwareSettings shown = hq::readSettings(firmware);
    shown.rows[1].address = 300;
    shown.rows[7].address = 555;
    shown.rows[3].address = hq::FieldValue::fromText("3x");
    shown.rows[2].redGreen = 1 - shown.rows[2].redGreen;

    const sheet::SheetMarks marks = sheet::sheetMarks(firmware, shown, QStringLiteral("/daten/decoder.hex"));
    QVERIFY(marks.unsaved);
    QCOMPARE(marks.fileName, QStringLiteral("decoder.hex"));
    QVERIFY(marks.rows[1].address.changed);
    QCOMPARE(marks.rows[1].address.fileValue, QStringLiteral("5"));
    QVERIFY(!marks.rows[1].address.refused());
    // Both refused values are named, though the save stops at the first.
    QCOMPARE(marks.rows[3].address.refusal, QStringLiteral("Ungültige Eingabe für <Out 3>"));
    QCOMPARE(marks.rows[7].address.refusal, QStringLiteral("Adresse für <Out 7> ist zu gross"));
    QCOMPARE(marks.saveRefusal, marks.rows[3].address.refusal);
    QVERIFY(marks.rows[2].last.changed);
    for (int r : {4, 5, 6, 8, 9})
        QVERIFY(!marks.rows[static_cast<std::size_t>(r)].address.changed);

    const QString text = sheettest::pdfText(writePdf(firmware, shown, QStringLiteral("field.pdf")));
    const QString flat = oneSpaced(text);
    QVERIFY2(flat.contains(QStringLiteral("Adresse 300 (in der Datei: 5) – nicht gespeichert")),
             qPrintable(text));
    QVERIFY(flat.contains(QStringLiteral("Adresse 555 (in der Datei: 11) – nicht gespeichert")));
    QVERIFY(flat.contains(QStringLiteral("wird beim Speichern abgelehnt: Adresse für <Out 7> ist zu gross")));
    QVERIFY(flat.contains(QStringLiteral("wird beim Speichern abgelehnt: Ungültige Eingabe für <Out 3>")));
    QVERIFY(!flat.contains(QStringLiteral("abgelehnt: Adresse für <Out 1>")));
    QVERIFY(flat.contains(QStringLiteral("„HEX speichern“ lehnt diese Werte ab und schreibt nichts")));
    QVERIFY(flat.contains(QStringLiteral("R/G rot (in der Datei: grün)")));
    // The rows still read as the window shows them.
    QVERIFY(QRegularExpression(QStringLiteral("(^|\\s)7\\s+Out 7\\s+555\\s")).match(text).hasMatch());
}

void UnsavedSheetTest::functionAndExtraValuesAreCheckedAsTheSaveChecksThem() {
    const hq::Firmware firmware = loadDemo(2, QStringLiteral("mm"));
    hq::FirmwareSettings shown = hq::readSettings(firmware);
    // Function 0 over a function the file holds would keep the old byte: the save refuses it.
    shown.rows[1].function = 0;
    shown.rows[2].function = 3;
    const sheet::SheetMarks marks = sheet::sheetMarks(firmware, shown, QStringLiteral("f.hex"));
    QCOMPARE(marks.rows[1].last.refusal, QStringLiteral("Funktions-Nummer für <Blink 1> ist zu klein"));
    QVERIFY(marks.rows[2].last.changed && !marks.rows[2].last.refused());
    QCOMPARE(marks.rows[2].last.fileValue, QStringLiteral("2"));
    const auto rows = sheet::rowEntries(firmware, shown, &marks);
    QCOMPARE(rows[1].help.front().text, QStringLiteral("Funktion 3 (in der Datei: 2) – nicht gespeichert"));
    QVERIFY(rows[1].help.front().changed);

    const hq::Firmware relay = loadDemo(31, QStringLiteral("dcc"));
    hq::FirmwareSettings extra = hq::readSettings(relay);
    extra.extra = 999;
    const sheet::SheetMarks extraMarks = sheet::sheetMarks(relay, extra, QStringLiteral("r.hex"));
    QVERIFY(extraMarks.extra.changed);
    QVERIFY2(extraMarks.extra.refusal.endsWith(QStringLiteral("ist zu gross")),
             qPrintable(extraMarks.extra.refusal));
    const QString text = oneSpaced(sheettest::pdfText(writePdf(relay, extra, QStringLiteral("extra.pdf"))));
    QVERIFY2(text.contains(QStringLiteral("Verzögerungszeit (1..255): 999 (in der Datei: 20)")),
             qPrintable(text));
    QVERIFY(text.contains(sheet::refusalText(extraMarks.extra.refusal)));
}

void UnsavedSheetTest::everyPageCarriesTheBanner() {
    // The LED firmware's sheet runs over several pages; one changed value marks them all.
    const hq::Firmware firmware = loadDemo(45, QStringLiteral("dcc"));
    hq::FirmwareSettings shown = hq::readSettings(firmware);
    shown.rows[1].address = shown.rows[1].address.numberOr(0) + 1;
    const QStringList unsaved =
        pageTexts(sheettest::pdfText(writePdf(firmware, shown, QStringLiteral("led.pdf"))));
    QVERIFY2(unsaved.size() >= 2, qPrintable(QString::number(unsaved.size())));
    for (const QString& page : unsaved) {
        QVERIFY2(oneSpaced(page).contains(kBanner + QStringLiteral("decoder.hex")), qPrintable(page));
        QVERIFY(page.contains(QStringLiteral("nicht gespeichert")));
    }

    const QString saved =
        sheettest::pdfText(writePdf(firmware, hq::readSettings(firmware), QStringLiteral("led0.pdf")));
    QCOMPARE(pageTexts(saved).size(), unsaved.size());
    QVERIFY(!saved.contains(QStringLiteral("Nicht gespeichert")));
    QVERIFY(!saved.contains(QStringLiteral("nicht gespeichert")));
    QVERIFY(!saved.contains(QStringLiteral("in der Datei:")));
}

void UnsavedSheetTest::printerPagesCarryTheBanner() {
    const hq::Firmware firmware = loadDemo(42, QStringLiteral("mm"));
    hq::FirmwareSettings shown = hq::readSettings(firmware);
    shown.servo->timing.setOffset(2, 200);
    const QString path = dir.filePath(QStringLiteral("printer.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    prepareSheetPage(printer);
    const int pages = paintSettingsSheet(printer, firmware, shown, QStringLiteral("/mnt/stick/servo.hex"));
    QVERIFY(pages >= 2);
    const QStringList texts = pageTexts(sheettest::pdfText(path));
    QCOMPARE(texts.size(), pages);
    for (const QString& page : texts)
        QVERIFY2(oneSpaced(page).contains(kBanner + QStringLiteral("servo.hex")), qPrintable(page));
}

void UnsavedSheetTest::editorSectionsSayWhatChanged() {
    const hq::Firmware servo = loadDemo(42, QStringLiteral("dcc"));
    hq::FirmwareSettings shown = hq::readSettings(servo);
    const int offset = shown.servo->timing.offset(3);
    shown.servo->timing.setOffset(3, 250);
    shown.servo->data.curve(2)[0] = (shown.servo->data.curve(2)[0] + 10) % 128;
    const QString servoText = sheettest::pdfText(writePdf(servo, shown, QStringLiteral("servo.pdf")));
    QCOMPARE(lineMark(servoText, QStringLiteral("Servo-Kurven")), 1);
    QCOMPARE(lineMark(servoText, QStringLiteral("Kurve 2")), 1);
    QCOMPARE(lineMark(servoText, QStringLiteral("Kurve 1")), 0);
    QCOMPARE(lineMark(servoText, QStringLiteral("Impulse")), 1);
    QCOMPARE(lineMark(servoText, QStringLiteral("Zuordnung")), 0);
    QCOMPARE(lineMark(servoText, QStringLiteral("Optionen")), 0);
    // The changed cell shows the file's offset byte beside it; the list under the heading as well.
    QVERIFY(oneSpaced(servoText).contains(QStringLiteral("(in der Datei: %1)").arg(offset)));
    QVERIFY(oneSpaced(servoText).contains(QStringLiteral("Nicht gespeichert: Kurve 2: Punkte geändert")));

    const hq::Firmware blink = loadDemo(43, QStringLiteral("mm"));
    hq::FirmwareSettings pattern = hq::readSettings(blink);
    const int countEntry = pattern.patterns->layout->blockSize + pattern.patterns->layout->countEntry;
    const int count = pattern.patterns->table[static_cast<std::size_t>(countEntry)];
    pattern.patterns->table[static_cast<std::size_t>(countEntry)] = count == 1 ? 2 : count - 1;
    const QString blinkText = sheettest::pdfText(writePdf(blink, pattern, QStringLiteral("blink.pdf")));
    QCOMPARE(lineMark(blinkText, QStringLiteral("Blinkmuster")), 1);
    QCOMPARE(lineMark(blinkText, QStringLiteral("Adresse 2")), 1);
    for (const char* other : {"Adresse 1", "Adresse 3", "Adresse 4"})
        QCOMPARE(lineMark(blinkText, QString::fromLatin1(other)), 0);
    QVERIFY(oneSpaced(blinkText).contains(QStringLiteral("(in der Datei: Anzahl Punkte: %1").arg(count)));

    const hq::Firmware house = loadDemo(15, QStringLiteral("mm"));
    hq::FirmwareSettings minimum = hq::readSettings(house);
    QVERIFY(minimum.house && minimum.house->minimum);
    const int stored = *minimum.house->minimum;
    minimum.house->minimum = stored == 9 ? 1 : stored + 1;
    const QString houseText = sheettest::pdfText(writePdf(house, minimum, QStringLiteral("house.pdf")));
    QCOMPARE(lineMark(houseText, QStringLiteral("Hausbeleuchtung")), 1);
    QVERIFY(oneSpaced(houseText).contains(QStringLiteral("(in der Datei: %1)").arg(stored)));
}

void UnsavedSheetTest::neonLevelTheFileCannotHold() {
    // EEPROM byte 0x21 is HELL and row 1's third code byte: a new address in row 1 together with a
    // new HELL stores another HELL than the one shown, and the sheet says which.
    const hq::Firmware neon = loadDemo(44, QStringLiteral("dcc"));
    hq::FirmwareSettings shown = hq::readSettings(neon);
    shown.rows[1].address = 3000;
    shown.neon->hell = 200;
    const sheet::SheetMarks marks = sheet::sheetMarks(neon, shown, QStringLiteral("neon.hex"));
    QVERIFY(marks.hell);
    const QString text = oneSpaced(sheettest::pdfText(writePdf(neon, shown, QStringLiteral("neon.pdf"))));
    QVERIFY2(text.contains(QStringLiteral("Gespeichert würde HELL = %1.").arg(marks.hell->stored)),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Licht-Stufe HELL (0..255) 200 (in der Datei: %1)")
                              .arg(*hq::readSettings(neon).neon->hell)));
}

void UnsavedSheetTest::theFileAsItIsHasNoMarks() {
    const QStringList demos = QDir(QStringLiteral(HQ_EXAMPLES_DIR)).entryList({QStringLiteral("demo-*.hex")});
    QVERIFY(demos.size() > 20);
    for (const QString& name : demos) {
        const QString path = QStringLiteral(HQ_EXAMPLES_DIR "/") + name;
        auto loaded = hq::loadFirmwareFile(QFile::encodeName(path).toStdString());
        QVERIFY2(loaded.ok(), qPrintable(name));
        const sheet::SheetMarks marks = sheet::sheetMarks(*loaded, hq::readSettings(*loaded), path);
        QVERIFY2(!marks.unsaved, qPrintable(name));
        QVERIFY2(!anyMark(marks), qPrintable(name));
    }
}

void UnsavedSheetTest::unsavedPagePicture() {
    // Pictures for a look by eye: the first page of the field case, and the servo sheet with a
    // changed curve and pulse timing (tests/shots/sheet-unsaved-42-N.png, one per page).
    const hq::Firmware relay = loadDemo(31, QStringLiteral("mm"));
    hq::FirmwareSettings shown = hq::readSettings(relay);
    shown.rows[1].address = 300;
    shown.rows[7].address = 555;
    const hq::Firmware servo = loadDemo(42, QStringLiteral("mm"));
    hq::FirmwareSettings curves = hq::readSettings(servo);
    curves.servo->data.curve(2)[3] = 100;
    curves.servo->timing.setOffset(1, 120);
    QDir().mkpath(QStringLiteral(HQ_SHOTS_DIR));
    const std::pair<QString, QStringList> pictures[] = {
        {writePdf(relay, shown, QStringLiteral("unsaved-31.pdf")),
         {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
          QStringLiteral("-singlefile")}},
        {writePdf(servo, curves, QStringLiteral("unsaved-42.pdf")), {}}};
    const QString names[] = {QStringLiteral(HQ_SHOTS_DIR "/sheet-unsaved-31"),
                             QStringLiteral(HQ_SHOTS_DIR "/sheet-unsaved-42")};
    for (std::size_t i = 0; i < 2; ++i) {
        QProcess render;
        render.start(QStringLiteral("pdftoppm"),
                     QStringList{QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("80")} +
                         pictures[i].second + QStringList{pictures[i].first, names[i]});
        QVERIFY(render.waitForFinished());
        QCOMPARE(render.exitCode(), 0);
    }
    QVERIFY(QFile::exists(names[0] + QStringLiteral(".png")));
    QVERIFY(QFile::exists(names[1] + QStringLiteral("-1.png")));
}

HQ_TEST_CLASS(UnsavedSheetTest)
#include "tst_UnsavedSheet.moc"
