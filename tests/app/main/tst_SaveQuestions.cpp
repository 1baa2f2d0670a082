// What the window says around a save, and that it is true: rows read from a broken line are marked
// with their bytes and lines while they keep them, the save asks before it recomputes a checksum that
// was wrong in the file, "Nein" to taking over an editor's changes says in the status bar that nothing
// was saved, and the take-over list names the other file's protocol and the values it would refuse.

#include "FakeDialogs.h"
#include "QtTestSuite.h"
#include "WindowTestSupport.h"
#include "document/FirmwareDocument.h"
#include "main/AppFactory.h"
#include "main/FileController.h"
#include "main/MainMenu.h"
#include "main/ParameterGridBox.h"
#include "main/TFormMain.h"
#include "settings/RowsAsRead.h"

#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QTest>
#include <QUndoStack>

using windowtest::readAll;

namespace {

// The demo firmware of `kind` with the checksum of its first EEPROM line (bytes 0..7, the first code
// byte of rows 1 to 7) spoilt.
std::string withBrokenEepromLine(int kind, hq::Protocol protocol, int* line) {
    std::string text = hq::demoFirmwareText(kind, protocol);
    const std::size_t at = text.find(":10420000");
    const std::size_t end = text.find('\r', at);
    char& digit = text[end - 1];
    digit = digit == '0' ? '1' : '0';
    *line =
        static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '\n')) + 1;
    return text;
}

} // namespace

class TestSaveQuestions : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dialogs_ = FakeDialogs();
        Dialogs::install(&dialogs_);
        dir_ = std::make_unique<QTemporaryDir>();
        window_ = createMainWindow();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() {
        window_.reset();
        Dialogs::install(nullptr);
        dir_.reset();
    }

    void rowsReadFromABrokenLineAreMarkedWhileTheyKeepTheirBytes();
    void aChecksumWrongInTheFileIsRecomputedOnlyWhenTheUserAgrees_data();
    void aChecksumWrongInTheFileIsRecomputedOnlyWhenTheUserAgrees();
    void noToTakingOverSaysThatNothingWasSaved();
    void aReadOnlyFileIsReplacedOnlyWhenTheUserAgrees();
    void theTakeOverListNamesTheProtocolAndRefusedValues();

private:
    QString write(const QString& name, const std::string& text) {
        const QString path = dir_->filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(text.data(), static_cast<qint64>(text.size()));
        return path;
    }
    void type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    FakeDialogs dialogs_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<TFormMain> window_;
};

void TestSaveQuestions::rowsReadFromABrokenLineAreMarkedWhileTheyKeepTheirBytes() {
    int line = 0;
    QVERIFY(window_->loadFile(
        write(QStringLiteral("kaputt.hex"), withBrokenEepromLine(31, hq::Protocol::MM, &line))));
    QCOMPARE(dialogs_.messages.size(), 1); // the load names the broken line
    ParameterGridBox* grid = window_->grid();
    const auto kept = hq::rowsAsRead(*window_->firmware());
    QVERIFY(kept[1].has_value());
    QVERIFY(kept[1]->lines.size() > 0);
    for (int row = 1; row <= 7; ++row) {
        QVERIFY2(grid->warningMark(row)->isVisible(), qPrintable(QString::number(row)));
        QVERIFY(grid->warningMark(row)
                    ->toolTip()
                    .replace(QLatin1Char('\n'), QLatin1Char(' '))
                    .contains(QString::fromStdString(hq::lineListText({line}))));
    }
    QVERIFY(grid->warningMark(1)
                ->toolTip()
                .replace(QLatin1Char('\n'), QLatin1Char(' '))
                .contains(QStringLiteral("Die Bytes dieser Zeile (")));
    QVERIFY(!grid->warningMark(8)->isVisible()); // its bytes come from sound lines

    // A new value is written anew: the mark goes, and comes back with undo.
    type(grid->addressEdit(1), QStringLiteral("77"));
    QVERIFY(!grid->warningMark(1)->isVisible());
    QVERIFY(grid->warningMark(2)->isVisible());
    window_->mainMenu()->undo->trigger();
    QVERIFY(grid->warningMark(1)->isVisible());
}

void TestSaveQuestions::aChecksumWrongInTheFileIsRecomputedOnlyWhenTheUserAgrees_data() {
    QTest::addColumn<bool>("agree");
    QTest::newRow("Speichern") << true;
    QTest::newRow("Abbrechen") << false;
}

void TestSaveQuestions::aChecksumWrongInTheFileIsRecomputedOnlyWhenTheUserAgrees() {
    QFETCH(bool, agree);
    int line = 0;
    const std::string text = withBrokenEepromLine(31, hq::Protocol::MM, &line);
    QVERIFY(window_->loadFile(write(QStringLiteral("kaputt.hex"), text)));
    type(window_->grid()->addressEdit(9), QStringLiteral("300"));
    dialogs_.messages.clear();
    const QString target = dir_->filePath(QStringLiteral("neu.hex"));
    dialogs_.saveNames = {target};
    dialogs_.answers = {agree ? QMessageBox::Save : QMessageBox::Cancel};
    window_->files()->save();

    QCOMPARE(dialogs_.messageTexts(), QStringList{QString::fromStdString(hq::recomputedChecksumText({line})) +
                                                  QStringLiteral("\n\nTrotzdem speichern?")});
    QCOMPARE(dialogs_.messages.constFirst().buttons, QMessageBox::Save | QMessageBox::Cancel);
    QCOMPARE(QFile::exists(target), agree);
    QCOMPARE(dialogs_.saveCalls.size(), agree ? 1 : 0);
    QCOMPARE(window_->isWindowModified(), !agree);
    if (!agree)
        return;
    // The saved file is sound; saving it again asks nothing.
    auto saved = hq::loadFirmwareFile(target.toStdString());
    QVERIFY(saved.ok());
    QVERIFY(hq::badRecordWarning(saved->image).empty());
    dialogs_.messages.clear();
    type(window_->grid()->addressEdit(9), QStringLiteral("301"));
    dialogs_.saveNames = {dir_->filePath(QStringLiteral("wieder.hex"))};
    window_->files()->save();
    QCOMPARE(dialogs_.messageTexts(), QStringList{});
}

void TestSaveQuestions::aReadOnlyFileIsReplacedOnlyWhenTheUserAgrees() {
    const QString path = windowtest::writeDemo(*dir_, 31, hq::Protocol::MM);
    QVERIFY(window_->loadFile(path));
    const QByteArray before = readAll(path);
    QVERIFY(QFile::setPermissions(path,
                                  QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    type(window_->grid()->addressEdit(2), QStringLiteral("77"));
    dialogs_.messages.clear();

    dialogs_.saveNames = {path};
    dialogs_.answers = {QMessageBox::No};
    QVERIFY(!window_->files()->save());
    QCOMPARE(dialogs_.messageTexts(),
             QStringList{QStringLiteral("Die Datei ist schreibgeschützt. Trotzdem ersetzen?")});
    QCOMPARE(readAll(path), before);
    QVERIFY(window_->isWindowModified());

    dialogs_.messages.clear();
    dialogs_.saveNames = {path};
    dialogs_.answers = {QMessageBox::Yes};
    QVERIFY(window_->files()->save());
    QVERIFY(readAll(path) != before);
    QVERIFY(!window_->isWindowModified());
    QVERIFY2(!(QFile::permissions(path) & QFileDevice::WriteOwner), "the file keeps its mode");
}

void TestSaveQuestions::noToTakingOverSaysThatNothingWasSaved() {
    QVERIFY(window_->loadFile(windowtest::writeDemo(*dir_, 43, hq::Protocol::MM)));
    auto* canvas = window_->findChild<QWidget*>(QStringLiteral("Image_Blink1"));
    // Every step of the first output switched off.
    const qreal bottom = canvas->height() - 2;
    windowtest::sendMouse(canvas, QEvent::MouseButtonPress, QPointF(1, bottom), Qt::LeftButton,
                          Qt::LeftButton);
    for (int x = 1; x < canvas->width(); x += 3)
        windowtest::sendMouse(canvas, QEvent::MouseMove, QPointF(x, bottom), Qt::NoButton, Qt::LeftButton);
    windowtest::sendMouse(canvas, QEvent::MouseButtonRelease, QPointF(canvas->width() - 1, bottom),
                          Qt::LeftButton, Qt::NoButton);
    QVERIFY(window_->document()->hasPendingEditorChanges());
    dialogs_.answers = {QMessageBox::No};
    dialogs_.saveNames = {dir_->filePath(QStringLiteral("nie.hex"))};
    QVERIFY(!window_->files()->save());
    QCOMPARE(dialogs_.messageTexts(), QStringList{QStringLiteral("Geänderte Werte übernehmen?")});
    QVERIFY(dialogs_.saveCalls.isEmpty());
    QCOMPARE(window_->statusBar()->currentMessage(),
             QStringLiteral("Nicht gespeichert: die Änderungen im Editor sind nicht übernommen."));
}

void TestSaveQuestions::theTakeOverListNamesTheProtocolAndRefusedValues() {
    // A DCC relay decoder set to an address an MM one cannot take.
    QVERIFY(window_->loadFile(windowtest::writeDemo(*dir_, 31, hq::Protocol::DCC)));
    type(window_->grid()->addressEdit(2), QStringLiteral("1000"));
    const QString dcc = dir_->filePath(QStringLiteral("dcc.hex"));
    dialogs_.saveNames = {dcc};
    QVERIFY(window_->files()->save());

    QVERIFY(window_->loadFile(windowtest::writeDemo(*dir_, 31, hq::Protocol::MM)));
    dialogs_.confirmAnswer = false;
    dialogs_.openNames = {dcc};
    window_->mainMenu()->takeOver->trigger();
    QCOMPARE(dialogs_.lists.size(), 1);
    const FakeDialogs::ListCall& list = dialogs_.lists.constFirst();
    QVERIFY2(list.intro.startsWith(QStringLiteral("Aus dcc.hex (Relaisdekoder 8, DCC, V 0.41) ")),
             qPrintable(list.intro));
    QVERIFY(std::any_of(list.lines.begin(), list.lines.end(), [](const QString& line) {
        return line.startsWith(QStringLiteral("Out 2 – Adresse: ")) &&
               line.contains(QStringLiteral("→ 1000 ⚠ "));
    }));
    QVERIFY(!window_->isWindowModified());
}

HQ_TEST_CLASS(TestSaveQuestions)
#include "tst_SaveQuestions.moc"
