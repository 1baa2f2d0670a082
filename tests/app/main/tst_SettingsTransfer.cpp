// Settings that travel: exported as the JSON of `hexquendra-cli show --settings`, imported with the
// checks and messages of `apply` (and saved byte for byte as `apply` writes), and taken over from
// another HEX file of the same firmware kind after the list of what changes.

#include "FakeDialogs.h"
#include "QtTestSuite.h"
#include "WindowTestSupport.h"
#include "document/FirmwareDocument.h"
#include "image/Checksum.h"
#include "main/AppFactory.h"
#include "main/FileController.h"
#include "main/MainMenu.h"
#include "main/ParameterGridBox.h"
#include "main/TFormMain.h"
#include "main/ZusatzPanel.h"

#include <QAction>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QUndoStack>

using windowtest::readAll;

namespace {

void writeAll(const QString& path, const QByteArray& data) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}

// The demo firmware with another version in its ID record ("V 0.41" becomes "V 0.52").
std::string otherVersion(int kind, hq::Protocol protocol) {
    std::string text = hq::demoFirmwareText(kind, protocol);
    const std::size_t at = text.find(":08400000");
    const std::size_t end = text.find('\r', at);
    std::string record = text.substr(at, end - at);
    record[18] = '5';
    record[22] = '2';
    record = *hq::completeRecord(record.substr(0, record.size() - 2));
    text.replace(at, end - at, record);
    return text;
}

} // namespace

class TestSettingsTransfer : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dialogs_ = FakeDialogs();
        Dialogs::install(&dialogs_);
        dir_ = std::make_unique<QTemporaryDir>();
        window_ = createMainWindow();
        window_->show();
    }
    void cleanup() {
        window_.reset();
        Dialogs::install(nullptr);
    }

    void exportThenImportCarriesEverySetting();
    void importThenSaveWritesWhatApplyWrites();
    void importRefusalsChangeNothing();
    void takeOverFromAnotherVersionListsTheChangesFirst();
    void takeOverRefusesAnotherKind();

private:
    QString demoFile(const QString& name, const std::string& text) {
        const QString path = dir_->filePath(name);
        writeAll(path, QByteArray::fromStdString(text));
        return path;
    }
    void type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    // Edits in the grid and in the servo editor, one taken over and one still pending.
    void editServoFirmware() {
        type(window_->grid()->addressEdit(2), QStringLiteral("321"));
        window_->grid()->redGreenButton(3)->click();
        window_->findChild<QPushButton*>(QStringLiteral("btn_sin2"))->click();
        window_->findChild<QPushButton*>(QStringLiteral("servo_btn_uebernehmen"))->click();
        // The pulse buttons are on the "Impulse" tab.
        window_->findChild<QTabWidget*>(QStringLiteral("servo_tabs"))->setCurrentIndex(1);
        window_->findChild<QPushButton*>(QStringLiteral("btn_inc10offset_2"))->click();
    }
    FirmwareDocument* document() const { return window_->document(); }

    FakeDialogs dialogs_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<TFormMain> window_;
};

void TestSettingsTransfer::exportThenImportCarriesEverySetting() {
    const QString firmware =
        demoFile(QStringLiteral("servo.hex"), hq::demoFirmwareText(42, hq::Protocol::DCC));
    QVERIFY(window_->loadFile(firmware));
    editServoFirmware();
    const hq::FirmwareSettings shown = document()->shown();

    const QString json = dir_->filePath(QStringLiteral("einstellungen.json"));
    dialogs_.saveNames = {json};
    window_->mainMenu()->exportSettings->trigger();
    QCOMPARE(dialogs_.saveCalls.constLast().proposedName, QStringLiteral("servo.json"));
    QVERIFY(readAll(json).contains("\"firmware\""));
    QVERIFY(!readAll(json).contains("\"eeprom\""));
    QVERIFY(!readAll(json).contains("\"program_table\""));

    // Into a fresh window on the unchanged file: one undo step, nothing written.
    window_ = createMainWindow();
    QVERIFY(window_->loadFile(firmware));
    const QByteArray before = readAll(firmware);
    dialogs_.openNames = {json};
    window_->mainMenu()->importSettings->trigger();
    QVERIFY(dialogs_.messages.isEmpty());
    QVERIFY(document()->shown() == shown);
    QVERIFY(!document()->hasPendingEditorChanges());
    QCOMPARE(document()->undoStack()->count(), 1);
    QVERIFY(window_->isWindowModified());
    QCOMPARE(readAll(firmware), before);
    window_->mainMenu()->undo->trigger();
    QVERIFY(!window_->isWindowModified());
}

void TestSettingsTransfer::importThenSaveWritesWhatApplyWrites() {
    const QString firmware =
        demoFile(QStringLiteral("relais.hex"), hq::demoFirmwareText(31, hq::Protocol::MM));
    const QString json = dir_->filePath(QStringLiteral("s.json"));
    writeAll(json, R"({"outputs": [{"row": 1, "address": 17, "color": "red"}, {"row": 4, "address": "300"}],
                       "extra": {"value": 42}})");
    QVERIFY(window_->loadFile(firmware));
    dialogs_.openNames = {json};
    window_->mainMenu()->importSettings->trigger();
    const QString saved = dir_->filePath(QStringLiteral("window.hex"));
    dialogs_.saveNames = {saved};
    window_->files()->save();
    QVERIFY(dialogs_.messages.isEmpty());

    const QString viaCli = dir_->filePath(QStringLiteral("cli.hex"));
    QProcess cli;
    cli.start(QStringLiteral(HQ_CLI_PATH),
              {QStringLiteral("apply"), firmware, json, QStringLiteral("-o"), viaCli});
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitCode(), 0);
    QVERIFY(!readAll(saved).isEmpty());
    QCOMPARE(readAll(saved), readAll(viaCli));
}

void TestSettingsTransfer::importRefusalsChangeNothing() {
    QVERIFY(window_->loadFile(
        demoFile(QStringLiteral("relais.hex"), hq::demoFirmwareText(31, hq::Protocol::MM))));
    const struct {
        const char* json;
        const char* message;
    } cases[] = {
        {R"({"firmware": {"kind": 42}})", "Die Einstellungen gehören zu Firmware-Art 42"},
        {R"({"firmware": {"kind": 31, "kind": 42}})",
         "Der Schlüssel \"kind\" steht zweimal im selben Objekt"},
        {R"({"outputs": [{"row": 1, "color": "blau"}]})",
         "\"color\" von Zeile 1 muss \"green\" oder \"red\" sein"},
        {"kein JSON", "kein gültiges JSON"},
    };
    for (const auto& c : cases) {
        const QString json = dir_->filePath(QStringLiteral("falsch.json"));
        writeAll(json, c.json);
        dialogs_.messages.clear();
        dialogs_.openNames = {json};
        window_->mainMenu()->importSettings->trigger();
        QCOMPARE(dialogs_.messages.size(), 1);
        QVERIFY2(dialogs_.messages.constFirst().text.contains(QString::fromUtf8(c.message)),
                 qPrintable(dialogs_.messages.constFirst().text));
        QVERIFY(!window_->isWindowModified());
        QCOMPARE(document()->undoStack()->count(), 0);
    }
}

void TestSettingsTransfer::takeOverFromAnotherVersionListsTheChangesFirst() {
    // The new version of the firmware, unchanged; the old one as the user set it up.
    const QString newer = demoFile(QStringLiteral("neu.hex"), otherVersion(42, hq::Protocol::DCC));
    const QString older = demoFile(QStringLiteral("alt.hex"), hq::demoFirmwareText(42, hq::Protocol::DCC));
    QVERIFY(window_->loadFile(older));
    editServoFirmware();
    const QString olderSaved = dir_->filePath(QStringLiteral("alt-eingestellt.hex"));
    dialogs_.answers = {QMessageBox::Yes}; // take the pending offset over
    dialogs_.saveNames = {olderSaved};
    window_->files()->save();
    const hq::FirmwareSettings wanted = document()->edited();

    QVERIFY(window_->loadFile(newer));
    QCOMPARE(window_->document()->firmware().scan.version, std::string("V 0.52"));
    dialogs_.messages.clear();

    // Cancelled after seeing the list: nothing changes.
    dialogs_.confirmAnswer = false;
    dialogs_.openNames = {olderSaved};
    window_->mainMenu()->takeOver->trigger();
    QCOMPARE(dialogs_.lists.size(), 1);
    const FakeDialogs::ListCall& list = dialogs_.lists.constFirst();
    QVERIFY(list.intro.contains(QStringLiteral("alt-eingestellt.hex")));
    QVERIFY(list.lines.contains(QStringLiteral("Adresse 02 – Adresse: 6 → 321")));
    QVERIFY(list.lines.contains(QStringLiteral("Adresse 03 – R/G: rot → grün")) ||
            list.lines.contains(QStringLiteral("Adresse 03 – R/G: grün → rot")));
    QVERIFY(std::any_of(list.lines.begin(), list.lines.end(), [](const QString& line) {
        return line.startsWith(QStringLiteral("Kurve 1: Punkte"));
    }));
    QVERIFY(std::any_of(list.lines.begin(), list.lines.end(), [](const QString& line) {
        return line.startsWith(QStringLiteral("Impulse Servo 2: "));
    }));
    QVERIFY(!window_->isWindowModified());

    // Taken over: one undo step, every setting of the other file.
    dialogs_.confirmAnswer = true;
    dialogs_.openNames = {olderSaved};
    window_->mainMenu()->takeOver->trigger();
    QVERIFY(dialogs_.messages.isEmpty());
    QVERIFY(document()->edited() == wanted);
    QCOMPARE(document()->undoStack()->count(), 1);
    QCOMPARE(document()->firmware().scan.version, std::string("V 0.52")); // the firmware stays the new one

    // Saved, the new version carries the old settings.
    const QString result = dir_->filePath(QStringLiteral("neu-eingestellt.hex"));
    dialogs_.saveNames = {result};
    window_->files()->save();
    auto reloaded = hq::loadFirmwareFile(result.toStdString());
    QVERIFY(reloaded.ok());
    QVERIFY(hq::readSettings(*reloaded) == wanted);
    QCOMPARE(reloaded->scan.version, std::string("V 0.52"));
}

void TestSettingsTransfer::takeOverRefusesAnotherKind() {
    QVERIFY(window_->loadFile(
        demoFile(QStringLiteral("servo.hex"), hq::demoFirmwareText(42, hq::Protocol::DCC))));
    dialogs_.openNames = {
        demoFile(QStringLiteral("relais.hex"), hq::demoFirmwareText(31, hq::Protocol::DCC))};
    window_->mainMenu()->takeOver->trigger();
    QCOMPARE(dialogs_.messageTexts(),
             QStringList{QStringLiteral(
                 "Einstellungen lassen sich nur zwischen HEX-Dateien derselben Firmware-Art "
                 "übernehmen:\nrelais.hex enthält Art 31 (Relaisdekoder 8), geladen ist Art 42 "
                 "(Ortel-4 Servo-Dekoder).")});
    QVERIFY(dialogs_.lists.isEmpty());
    QVERIFY(!window_->isWindowModified());
}

HQ_TEST_CLASS(TestSettingsTransfer)
#include "tst_SettingsTransfer.moc"
