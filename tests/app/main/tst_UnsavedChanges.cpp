// Nothing is lost without asking: every way of leaving the loaded file ("Ende", closing the window,
// "HEX laden", a recent file, a dropped file) asks while something is not saved — a grid edit or an
// editor change not yet taken over — and each answer does what it says.

#include "FakeDialogs.h"
#include "QtTestSuite.h"
#include "WindowTestSupport.h"
#include "document/FirmwareDocument.h"
#include "main/AppFactory.h"
#include "main/FileController.h"
#include "main/MainMenu.h"
#include "main/ParameterGridBox.h"
#include "main/RecentFiles.h"
#include "main/TFormMain.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QUrl>

namespace {

enum class Way { Ende, Close, Load, Recent, Drop };
enum class Change { GridEdit, EditorChange };

const QString kAsked = QStringLiteral("Die Änderungen an demo-42.hex sind noch nicht gespeichert.");

} // namespace

Q_DECLARE_METATYPE(Way)
Q_DECLARE_METATYPE(Change)
Q_DECLARE_METATYPE(QMessageBox::StandardButton)

class TestUnsavedChanges : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void eachWayAsksAndEachAnswerDoesWhatItSays_data();
    void eachWayAsksAndEachAnswerDoesWhatItSays();
    void withoutChangesEachWayActsAtOnce_data();
    void withoutChangesEachWayActsAtOnce();
    void aRefusedSaveKeepsTheWindowAndTheEdits();
    void recentFilesAreListedAndKeptBetweenRuns();

private:
    // Takes `way` out of the loaded file; true when the window let it go (closed, or the other
    // file loaded).
    bool leave(Way way);
    void change(Change kind);
    bool otherFileLoaded() const {
        return window_->document()->isLoaded() && window_->document()->firmware().recognition.kind == 31;
    }

    FakeDialogs dialogs_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<TFormMain> window_;
    QString servoFile_;
    QString otherFile_;
};

void TestUnsavedChanges::init() {
    QSettings().clear();
    dialogs_ = FakeDialogs();
    Dialogs::install(&dialogs_);
    dir_ = std::make_unique<QTemporaryDir>();
    servoFile_ = windowtest::writeDemo(*dir_, 42, hq::Protocol::DCC);
    otherFile_ = windowtest::writeDemo(*dir_, 31, hq::Protocol::DCC);
    window_ = createMainWindow();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QVERIFY(window_->loadFile(otherFile_));
    QVERIFY(window_->loadFile(servoFile_)); // the other one is a recent file now
}

void TestUnsavedChanges::cleanup() {
    window_.reset();
    Dialogs::install(nullptr);
    dir_.reset();
}

void TestUnsavedChanges::change(Change kind) {
    if (kind == Change::GridEdit) {
        QLineEdit* address = window_->grid()->addressEdit(3);
        address->selectAll();
        QTest::keyClicks(address, QStringLiteral("77"));
    } else {
        auto* canvas = window_->findChild<QWidget*>(QStringLiteral("servo_Image1"));
        windowtest::sendMouse(canvas, QEvent::MouseButtonPress, QPointF(40, 5), Qt::LeftButton,
                              Qt::LeftButton);
        windowtest::sendMouse(canvas, QEvent::MouseButtonRelease, QPointF(40, 5), Qt::LeftButton,
                              Qt::NoButton);
        QVERIFY(window_->document()->hasPendingEditorChanges());
    }
    QVERIFY(window_->isWindowModified());
}

bool TestUnsavedChanges::leave(Way way) {
    switch (way) {
    case Way::Ende:
        window_->findChild<QPushButton*>(QStringLiteral("btn_close"))->click();
        return !window_->isVisible();
    case Way::Close:
        window_->close();
        return !window_->isVisible();
    case Way::Load:
        dialogs_.openNames = {otherFile_};
        window_->findChild<QPushButton*>(QStringLiteral("btn_load"))->click();
        return otherFileLoaded();
    case Way::Recent: {
        const QList<QAction*> entries = window_->mainMenu()->recent->actions();
        const auto entry = std::find_if(entries.begin(), entries.end(), [this](QAction* action) {
            return action->text().endsWith(
                QDir::toNativeSeparators(QFileInfo(otherFile_).absoluteFilePath()));
        });
        if (entry == entries.end())
            qFatal("the other file is no recent file");
        (*entry)->trigger();
        return otherFileLoaded();
    }
    case Way::Drop: {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(otherFile_)});
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window_.get(), &enter);
        QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window_.get(), &drop);
        // The drop is taken after it has finished.
        QTest::qWait(50);
        return otherFileLoaded();
    }
    }
    return false;
}

void TestUnsavedChanges::eachWayAsksAndEachAnswerDoesWhatItSays_data() {
    QTest::addColumn<Way>("way");
    QTest::addColumn<Change>("kind");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    const std::pair<Way, const char*> ways[] = {{Way::Ende, "Ende"},
                                                {Way::Close, "close"},
                                                {Way::Load, "HEX laden"},
                                                {Way::Recent, "recent file"},
                                                {Way::Drop, "drop"}};
    const std::pair<Change, const char*> kinds[] = {{Change::GridEdit, "grid edit"},
                                                    {Change::EditorChange, "editor change"}};
    const std::pair<QMessageBox::StandardButton, const char*> answers[] = {
        {QMessageBox::Save, "Speichern"},
        {QMessageBox::Discard, "Verwerfen"},
        {QMessageBox::Cancel, "Abbrechen"}};
    for (const auto& [way, wayName] : ways)
        for (const auto& [kind, kindName] : kinds)
            for (const auto& [answer, answerName] : answers)
                QTest::addRow("%s, %s, %s", wayName, kindName, answerName) << way << kind << answer;
}

void TestUnsavedChanges::eachWayAsksAndEachAnswerDoesWhatItSays() {
    QFETCH(Way, way);
    QFETCH(Change, kind);
    QFETCH(QMessageBox::StandardButton, answer);
    change(kind);
    const hq::FirmwareSettings edited = window_->document()->shown();
    const QString saved = dir_->filePath(QStringLiteral("saved.hex"));
    dialogs_.answers = {answer};
    if (answer == QMessageBox::Save && kind == Change::EditorChange)
        dialogs_.answers.append(QMessageBox::Yes); // "Geänderte Werte übernehmen?"
    dialogs_.saveNames = {saved};

    const bool left = leave(way);

    QVERIFY(!dialogs_.messages.isEmpty());
    QCOMPARE(dialogs_.messages.constFirst().text, kAsked);
    QCOMPARE(dialogs_.messages.constFirst().buttons,
             QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    switch (answer) {
    case QMessageBox::Save: {
        QVERIFY(left);
        // Saved with the normal save, its checks and questions, and the edit is in the file.
        auto file = hq::loadFirmwareFile(saved.toStdString());
        QVERIFY(file.ok());
        QVERIFY(hq::readSettings(*file) == edited);
        break;
    }
    case QMessageBox::Discard:
        QVERIFY(left);
        QVERIFY(!QFile::exists(saved));
        break;
    default:
        QVERIFY(!left);
        QVERIFY(window_->isVisible());
        QCOMPARE(window_->document()->firmware().recognition.kind, 42);
        QVERIFY(window_->isWindowModified());
        QVERIFY(window_->document()->shown() == edited);
        QVERIFY(!QFile::exists(saved));
        break;
    }
}

void TestUnsavedChanges::withoutChangesEachWayActsAtOnce_data() {
    QTest::addColumn<Way>("way");
    QTest::newRow("Ende") << Way::Ende;
    QTest::newRow("close") << Way::Close;
    QTest::newRow("HEX laden") << Way::Load;
    QTest::newRow("recent file") << Way::Recent;
    QTest::newRow("drop") << Way::Drop;
}

void TestUnsavedChanges::withoutChangesEachWayActsAtOnce() {
    QFETCH(Way, way);
    QVERIFY(!window_->isWindowModified());
    QVERIFY(leave(way));
    QVERIFY(dialogs_.messages.isEmpty());
}

void TestUnsavedChanges::aRefusedSaveKeepsTheWindowAndTheEdits() {
    QLineEdit* address = window_->grid()->addressEdit(2);
    address->selectAll();
    QTest::keyClicks(address, QStringLiteral("99999"));
    dialogs_.answers = {QMessageBox::Save};
    dialogs_.saveNames = {dir_->filePath(QStringLiteral("never.hex"))};
    window_->close();
    QCOMPARE(dialogs_.messageTexts(),
             (QStringList{kAsked, QStringLiteral("Adresse für <Adresse 02> ist zu gross")}));
    QVERIFY(window_->isVisible());
    QVERIFY(window_->isWindowModified());
    QCOMPARE(address->text(), QStringLiteral("99999"));
    QVERIFY(!QFile::exists(dir_->filePath(QStringLiteral("never.hex"))));

    // A save dialog cancelled keeps them too.
    address->selectAll();
    QTest::keyClicks(address, QStringLiteral("9"));
    dialogs_.messages.clear();
    dialogs_.answers = {QMessageBox::Save};
    dialogs_.saveNames.clear();
    window_->close();
    QVERIFY(window_->isVisible());
    QVERIFY(window_->isWindowModified());
}

void TestUnsavedChanges::recentFilesAreListedAndKeptBetweenRuns() {
    const QStringList files = window_->files()->recentFiles()->files();
    QCOMPARE(files.size(), 2);
    QCOMPARE(files.at(0), QFileInfo(servoFile_).absoluteFilePath());
    QCOMPARE(files.at(1), QFileInfo(otherFile_).absoluteFilePath());
    QCOMPARE(window_->mainMenu()->recent->actions().size(), 2);

    // A new window, as after a restart, lists them as well; at most eight are kept.
    window_ = createMainWindow();
    QCOMPARE(window_->files()->recentFiles()->files(), files);
    for (int kind : {2, 4, 5, 6, 7, 8, 9, 10}) {
        const QString path = windowtest::writeDemo(*dir_, kind, hq::Protocol::DCC);
        QVERIFY(window_->loadFile(path));
    }
    QCOMPARE(window_->files()->recentFiles()->files().size(), RecentFiles::kMaximum);
    QVERIFY(!window_->files()->recentFiles()->files().contains(QFileInfo(servoFile_).absoluteFilePath()));
    QCOMPARE(window_->files()->recentFiles()->lastFolder(), QFileInfo(servoFile_).absolutePath());

    // A file that is gone is dropped from the list when chosen.
    const QString gone = window_->files()->recentFiles()->files().constLast();
    QFile::remove(gone);
    window_->files()->openRecent(gone);
    QVERIFY(!window_->files()->recentFiles()->files().contains(gone));
}

HQ_TEST_CLASS(TestUnsavedChanges)
#include "tst_UnsavedChanges.moc"
