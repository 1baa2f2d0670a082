// Settings that reach the blink and LED editors from outside them, in the real window: an imported
// settings file and the settings taken over from another HEX file of the same kind replace the
// editor's working copy. The editor shows the new pattern at once, nothing is left to take over
// ("Übernehmen" stays off, a save asks nothing), and the save writes the new pattern.

#include "../main/FakeDialogs.h"
#include "../main/WindowTestSupport.h"

#include "NumberField.h"
#include "QtTestSuite.h"
#include "SettingsJson.h"
#include "document/FirmwareDocument.h"
#include "image/Firmware.h"
#include "light/PatternBank.h"
#include "light/PatternCanvas.h"
#include "light/PatternPanel.h"
#include "main/AppFactory.h"
#include "main/MainMenu.h"
#include "main/TFormMain.h"
#include "settings/FirmwareSettings.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <memory>

namespace {

// The settings of `firmware` with address 1's pattern changed: 7 steps, output 2 in use and
// drawn as on, off, on, …, output 1 as its inverse.
hq::FirmwareSettings withOtherPattern(const hq::Firmware& firmware) {
    hq::FirmwareSettings settings = hq::readSettings(firmware);
    hq::PatternBank bank(*settings.patterns->layout);
    bank.table() = settings.patterns->table;
    bank.setCount(1, 7);
    bank.setOutputUsed(1, 1, true);
    bank.setOutputUsed(1, 2, true);
    for (int step = 0; step < 7; ++step) {
        bank.setStep(1, 2, step, step % 2 == 0);
        bank.setStep(1, 1, step, step % 2 != 0);
    }
    settings.patterns->table = bank.table();
    return settings;
}

void writeText(const QString& path, const std::string& text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(text));
}

} // namespace

class PatternTransferTest : public QObject {
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
        dir_.reset();
    }

    void importedPatternIsShownAndSaved_data() { kinds(); }
    void importedPatternIsShownAndSaved() {
        QFETCH(int, kind);
        openWithPendingEdit(kind);
        const hq::FirmwareSettings wanted = withOtherPattern(window_->document()->firmware());
        const QString json = dir_->filePath(QStringLiteral("muster.json"));
        writeText(json, hq::settingsJsonText(window_->document()->firmware(), wanted));
        dialogs_.openNames = {json};
        window_->mainMenu()->importSettings->trigger();
        QCOMPARE(dialogs_.messageTexts(), QStringList{});
        QCOMPARE(window_->document()->undoStack()->count(), 2);
        checkShownAndSaved(wanted);
    }

    void takenOverPatternIsShownAndSaved_data() { kinds(); }
    void takenOverPatternIsShownAndSaved() {
        QFETCH(int, kind);
        openWithPendingEdit(kind);
        const hq::FirmwareSettings wanted = withOtherPattern(window_->document()->firmware());
        hq::Firmware other = window_->document()->firmware();
        QVERIFY(!hq::applySettings(other, wanted));
        const QString otherPath = dir_->filePath(QStringLiteral("anderes.hex"));
        writeText(otherPath, hq::hexImageText(other.image));
        dialogs_.openNames = {otherPath};
        window_->mainMenu()->takeOver->trigger();
        QCOMPARE(dialogs_.messageTexts(), QStringList{});
        QCOMPARE(dialogs_.lists.size(), 1);
        checkShownAndSaved(wanted);
    }

private:
    void kinds() {
        QTest::addColumn<int>("kind");
        QTest::newRow("blink") << 43;
        QTest::newRow("led") << 45;
    }

    PatternPanel* panel() const {
        auto* found = window_->findChild<PatternPanel*>();
        return found != nullptr && found->isVisible() ? found : nullptr;
    }

    // The demo of `kind` opened, with the loop of address 1 switched in the editor and not taken
    // over: the settings that come in replace that too.
    void openWithPendingEdit(int kind) {
        QVERIFY(window_->loadFile(windowtest::writeDemo(*dir_, kind, hq::Protocol::MM)));
        QVERIFY(panel() != nullptr);
        panel()->loopBox()->click();
        QVERIFY(window_->document()->hasPendingEditorChanges());
        QVERIFY(panel()->acceptButton()->isEnabled());
    }

    void checkShownAndSaved(const hq::FirmwareSettings& wanted) {
        const hq::PatternView pattern(*wanted.patterns->layout, wanted.patterns->table);
        FirmwareDocument* document = window_->document();
        QVERIFY(document->edited().patterns == wanted.patterns);
        QVERIFY(!document->hasPendingEditorChanges());
        QVERIFY(!panel()->acceptButton()->isEnabled());
        QVERIFY(window_->isWindowModified());

        // Shown at once: count, loop, outputs and the drawings of address 1.
        QCOMPARE(panel()->countEdit()->text(), QStringLiteral("7"));
        QCOMPARE(panel()->loopBox()->isChecked(), pattern.loop(1));
        for (int output : {1, 2}) {
            QVERIFY(panel()->outputBox(output)->isChecked());
            PatternCanvas* canvas = panel()->canvas(output);
            QVERIFY(canvas->isVisible());
            std::string drawn;
            for (bool on : canvas->steps())
                drawn += on ? '1' : '0';
            QCOMPARE(drawn, pattern.stepsText(1, output));
        }
        QCOMPARE(pattern.stepsText(1, 2), std::string("1010101"));

        // Saved without a question about changes not taken over, with the new pattern.
        const QString saved = dir_->filePath(QStringLiteral("gespeichert.hex"));
        dialogs_.saveNames = {saved};
        QVERIFY(window_->files()->save());
        QCOMPARE(dialogs_.messageTexts(), QStringList{});
        auto reloaded = hq::loadFirmwareFile(QFile::encodeName(saved).toStdString());
        QVERIFY(reloaded.ok());
        QVERIFY(hq::readSettings(*reloaded).patterns == wanted.patterns);
        QVERIFY(!window_->isWindowModified());
        QCOMPARE(panel()->countEdit()->text(), QStringLiteral("7"));
    }

    FakeDialogs dialogs_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<TFormMain> window_;
};

HQ_TEST_CLASS(PatternTransferTest)
#include "tst_PatternTransfer.moc"
