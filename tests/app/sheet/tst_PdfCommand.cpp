// `hexquendra --pdf OUT.pdf FILE` as scripts use it: run as a process without a display, it writes
// the sheet of the file as it is (no mark of unsaved values) and ends with 0, or ends with 1 and the
// German reason on stderr, leaving an existing output file alone. The arguments around --pdf are
// checked as well.

#include "LaunchOptions.h"
#include "QtTestSuite.h"
#include "SheetTestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QString err;
};

// The program with no platform and no display chosen: --pdf must manage on its own.
Run runApp(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(HQ_APP_PATH), arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError())};
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class PdfCommandTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }
    void launchOptions_data();
    void launchOptions();
    void writesTheSheetWithoutADisplay();
    void printsTheFileWithoutMarks();
    void missingFileEndsWithOne();
    void textFileEndsWithOne();
    void unwritableTargetEndsWithOne();
    void pdfWithoutHexFileIsAUsageError();

private:
    QTemporaryDir dir;
};

void PdfCommandTest::launchOptions_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("pdf");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("error");
    QTest::newRow("pdf and file") << QStringList{QStringLiteral("--pdf"), QStringLiteral("b.pdf"),
                                                 QStringLiteral("a.hex")}
                                  << QStringLiteral("b.pdf") << QStringLiteral("a.hex") << false;
    QTest::newRow("file first") << QStringList{QStringLiteral("a.hex"), QStringLiteral("--pdf"),
                                               QStringLiteral("b.pdf")}
                                << QStringLiteral("b.pdf") << QStringLiteral("a.hex") << false;
    QTest::newRow("no name") << QStringList{QStringLiteral("--pdf")} << QString() << QString() << true;
    QTest::newRow("no file") << QStringList{QStringLiteral("--pdf"), QStringLiteral("b.pdf")}
                             << QStringLiteral("b.pdf") << QString() << true;
    QTest::newRow("with screenshot") << QStringList{QStringLiteral("--pdf"), QStringLiteral("b.pdf"),
                                                    QStringLiteral("--screenshot"), QStringLiteral("c.png"),
                                                    QStringLiteral("a.hex")}
                                     << QStringLiteral("b.pdf") << QStringLiteral("a.hex") << true;
}

void PdfCommandTest::launchOptions() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, pdf);
    QFETCH(QString, file);
    QFETCH(bool, error);
    const LaunchOptions options = LaunchOptions::parse(arguments);
    QCOMPARE(options.pdf, pdf);
    QCOMPARE(options.file, file);
    QCOMPARE(!options.error.isEmpty(), error);

    QList<QByteArray> raw{QByteArrayLiteral("hexquendra")};
    for (const QString& argument : arguments)
        raw << argument.toUtf8();
    std::vector<const char*> argv;
    for (const QByteArray& argument : raw)
        argv.push_back(argument.constData());
    QVERIFY(LaunchOptions::runsWithoutWindow(static_cast<int>(argv.size()), argv.data()));
    QVERIFY(LaunchOptions::usage().contains(QStringLiteral("--pdf BLATT.pdf HEX-File")));
}

void PdfCommandTest::writesTheSheetWithoutADisplay() {
    const QString out = dir.filePath(QStringLiteral("servo.pdf"));
    const Run run = runApp({QStringLiteral("--pdf"), out, sheettest::demoPath(42, QStringLiteral("dcc"))});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(!run.err.contains(QStringLiteral("could not connect to display")), qPrintable(run.err));
    QVERIFY(contents(out).startsWith("%PDF"));
    if (sheettest::popplerAvailable())
        QVERIFY(sheettest::pdfText(out).contains(QStringLiteral("Ortel-4 Servo-Dekoder")));
}

void PdfCommandTest::printsTheFileWithoutMarks() {
    if (!sheettest::popplerAvailable())
        QSKIP("pdftotext is needed to read the PDF back");
    for (const char* kind : {"31-mm", "42-dcc", "44-dcc"}) {
        const QString out = dir.filePath(QStringLiteral("datei-%1.pdf").arg(QLatin1String(kind)));
        const QString hex = QStringLiteral(HQ_EXAMPLES_DIR "/demo-%1.hex").arg(QLatin1String(kind));
        QCOMPARE(runApp({QStringLiteral("--pdf"), out, hex}).exitCode, 0);
        const QString text = sheettest::pdfText(out);
        QVERIFY2(text.contains(QStringLiteral("demo-%1.hex").arg(QLatin1String(kind))), kind);
        for (const char* mark : {"icht gespeichert", "in der Datei:", "abgelehnt", "Blau markiert"})
            QVERIFY2(!text.contains(QString::fromUtf8(mark)), mark);
    }
}

void PdfCommandTest::missingFileEndsWithOne() {
    const QString out = dir.filePath(QStringLiteral("fehlt.pdf"));
    const Run run = runApp({QStringLiteral("--pdf"), out, dir.filePath(QStringLiteral("fehlt.hex"))});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("wurde nicht gefunden")), qPrintable(run.err));
    QVERIFY(!QFile::exists(out));
}

void PdfCommandTest::textFileEndsWithOne() {
    const QString text = dir.filePath(QStringLiteral("liste.txt"));
    QFile file(text);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Weichen im Bahnhof\n1 bis 12\n");
    file.close();
    const QString out = dir.filePath(QStringLiteral("liste.pdf"));
    QFile previous(out);
    QVERIFY(previous.open(QIODevice::WriteOnly));
    previous.write("vorher");
    previous.close();

    const Run run = runApp({QStringLiteral("--pdf"), out, text});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("Das HEX-File konnte leider nicht erkannt werden")),
             qPrintable(run.err));
    QCOMPARE(contents(out), QByteArray("vorher"));
}

void PdfCommandTest::unwritableTargetEndsWithOne() {
    const QString out = dir.filePath(QStringLiteral("gibt-es-nicht/blatt.pdf"));
    const Run run = runApp({QStringLiteral("--pdf"), out, sheettest::demoPath(43, QStringLiteral("mm"))});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("konnte nicht geschrieben werden")), qPrintable(run.err));
}

void PdfCommandTest::pdfWithoutHexFileIsAUsageError() {
    const Run run = runApp({QStringLiteral("--pdf"), dir.filePath(QStringLiteral("x.pdf"))});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.contains(QStringLiteral("Aufruf: hexquendra")));
}

HQ_TEST_CLASS(PdfCommandTest)
#include "tst_PdfCommand.moc"
