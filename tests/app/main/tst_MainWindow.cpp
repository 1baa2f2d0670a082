// The main window driven as a user would: load firmware files, read what the grid shows, type,
// click "R/G", save and look at the written file.

#include "AppFactory.h"
#include "ButtonBox.h"
#include "Dlg_info.h"
#include "FakeDialogs.h"
#include "FileController.h"
#include "PanelEditor.h"
#include "ParameterGridBox.h"
#include "QtTestSuite.h"
#include "TFormMain.h"
#include "TestHex.h"
#include "WindowTestSupport.h"
#include "demo/DemoFirmware.h"
#include "document/FirmwareDocument.h"
#include "settings/FirmwareSettings.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <unistd.h>

using testhex::Hex;

using windowtest::readAll;

namespace {

const std::string kKind31 = ":0400000069303A2801"; // "Relaisdekoder 8", extra value up to 255
const std::string kKind23 = ":040000000A303A2860"; // "Dorvat", time-out up to 127
const std::string kKind4 = ":0400000060283D3007";  // function decoder "Out 1".."Out 4"
const std::string kKind8 = ":040000006C303A28FE";  // 7 rows, 4 per column
const std::string kKind9 = ":040000006D303A28FD";  // 8 rows, 5 per column
const std::string kKind21 = ":0400000008303A2862"; // "Pelvar"
const std::string kKind43 = ":0400000001303A2869"; // blink patterns
const std::string kTurntable24 = ":100110009B001C141A088312B3008B173308173C7A"; // kind 20

const QString kUnrecognised = QStringLiteral("Das HEX-File konnte leider nicht erkannt werden");

QString addressHint(int maximum) {
    return QStringLiteral(
               "gültiger Adressbereich: 1 bis %1\n'0' für unbenutzt (keine Reaktion auf irgendeinen "
               "Befehl)")
        .arg(maximum);
}

// An editor that only records what the window asks of it.
class FakeEditor : public PanelEditor {
public:
    FakeEditor(hq::Panel panel, QString name, QStringList& log)
        : panel_(panel), name_(std::move(name)), log_(log) {}

    hq::Panel panel() const override { return panel_; }
    void setUp(FirmwareDocument& document, EditorHost& host) override {
        log_.append(name_ + QStringLiteral(" setUp"));
        document_ = &document;
        host_ = &host;
    }
    void reset() override {
        log_.append(name_ + QStringLiteral(" reset"));
        document_ = nullptr;
    }

    FirmwareDocument* document_ = nullptr;
    EditorHost* host_ = nullptr;

private:
    hq::Panel panel_;
    QString name_;
    QStringList& log_;
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startUpShowsNothingToEdit();
    void mmAccessoryShowsRowsColoursAndExtraValue();
    void dccAccessoryShowsItsLimits();
    void functionDecoderShowsFunctionNumbers();
    void twoColumnKinds_data();
    void twoColumnKinds();
    void turntableIsMatchedOnItsOwnLine();
    void firmwareWithoutProtocolShowsNoRows();
    void unrecognisedFileLeavesTheWindowAsItWas();
    void unrecognisedFileAtStartKeepsTheEmptyWindow();
    void rejectedFileKeepsTheEditorShown();
    void loadButtonUsesTheOpenDialog();
    void secondFileReplacesTheFirst();
    void refusedFilesChangeNothing();
    void redGreenButtonFlipsTheColour();
    void badInputIsReportedAndNothingWritten_data();
    void badInputIsReportedAndNothingWritten();
    void functionNumbersAreCheckedAfterRowZero();
    void savingWritesTheEditedEepromRecords();
    void savingFunctionDecoderValues();
    void cancelledSaveDialogWritesNothing();
    void failedSaveSaysSoAndKeepsTheOldFile();
    void readOnlyFolderKeepsTheOldFile();
    void editorsAreResetSetUpAndAskedBeforeSaving();
    void infoDialogShowsEepromAndLines();
    void pictureOpensTheWebPage();
    void droppedFileIsLoaded();
    void wrongChecksumsAreReportedAfterLoading();
    void enterClicksTheFocusedButton();

private:
    QString write(const QString& name, const std::string& text);
    bool load(const std::string& text, const QString& name = QStringLiteral("firmware.hex"));
    template <class T> T* find(const QString& name) const {
        T* child = w_->findChild<T*>(name);
        if (child == nullptr) {
            qWarning("missing control %s", qPrintable(name));
        }
        return child;
    }
    QLineEdit* address(int row) const { return w_->grid()->addressEdit(row); }
    QString panel(int i) const { return find<QLabel>(QStringLiteral("StatusPanel%1").arg(i))->text(); }
    QList<int> visibleRows() const;
    QColor base(QLineEdit* edit) const { return edit->palette().color(QPalette::Base); }
    void saveAndExpectProblem(const QString& message, QLineEdit* focus);

    std::unique_ptr<QTemporaryDir> dir_;
    FakeDialogs dialogs_;
    std::unique_ptr<TFormMain> w_;
};

void TestMainWindow::init() {
    dialogs_ = FakeDialogs();
    Dialogs::install(&dialogs_);
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    w_ = createMainWindow();
    w_->show();
    QVERIFY(QTest::qWaitForWindowActive(w_.get()));
}

void TestMainWindow::cleanup() {
    w_.reset();
    Dialogs::install(nullptr);
    dir_.reset();
}

QString TestMainWindow::write(const QString& name, const std::string& text) {
    const QString path = dir_->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return {};
    }
    file.write(text.data(), static_cast<qint64>(text.size()));
    return path;
}

bool TestMainWindow::load(const std::string& text, const QString& name) {
    return w_->loadFile(write(name, text));
}

QList<int> TestMainWindow::visibleRows() const {
    QList<int> rows;
    for (int row = 0; row < hq::kRowCount; ++row) {
        // Rows are built when a firmware first needs them.
        if (w_->grid()->captionLabel(row) != nullptr && w_->grid()->captionLabel(row)->isVisible()) {
            rows.append(row);
        }
    }
    return rows;
}

void TestMainWindow::saveAndExpectProblem(const QString& message, QLineEdit* focus) {
    const QString target = dir_->filePath(QStringLiteral("out.hex"));
    dialogs_.saveNames = {target};
    w_->files()->save();
    QCOMPARE(dialogs_.messageTexts(), QStringList{message});
    QCOMPARE(dialogs_.messages.constFirst().icon, QMessageBox::Warning);
    QCOMPARE(dialogs_.messages.constFirst().buttons, QMessageBox::StandardButtons(QMessageBox::Cancel));
    QCOMPARE(QApplication::focusWidget(), focus);
    QVERIFY(dialogs_.saveCalls.isEmpty());
    QVERIFY(!QFile::exists(target));
}

void TestMainWindow::startUpShowsNothingToEdit() {
    QCOMPARE(w_->windowTitle(), QStringLiteral("Hex Quendra V0.41"));
    QCOMPARE(w_->minimumSize(), w_->size());
    QVERIFY(visibleRows().isEmpty());
    // No row, and no field or button of one, before a firmware needs it.
    for (QWidget* control : w_->grid()->findChildren<QWidget*>()) {
        const QString name = control->objectName();
        if (name.startsWith(QStringLiteral("btn_RG_")) || name.startsWith(QStringLiteral("edt_")))
            QVERIFY2(control->isHidden(), qPrintable(name));
    }

    // Nothing to save or to show yet.
    auto* save = find<QPushButton>(QStringLiteral("btn_save"));
    QVERIFY(!save->isEnabled());
    QCOMPARE(save->text(), QStringLiteral("HEX speichern"));
    QVERIFY(!find<QPushButton>(QStringLiteral("btn_info"))->isEnabled());
    QVERIFY(find<QPushButton>(QStringLiteral("btn_load"))->isEnabled());
    QVERIFY(find<QPushButton>(QStringLiteral("btn_close"))->isEnabled());
    QCOMPARE(find<QProgressBar>(QStringLiteral("ProgressBar1"))->maximum(), 100);

    QVERIFY(find<QGroupBox>(QStringLiteral("GroupBoxFlags"))->isHidden());
    for (const char* name : {"rad_mm", "rad_dcc", "rad_schalt", "rad_fzg"}) {
        auto* radio = find<QRadioButton>(QLatin1String(name));
        QVERIFY(!radio->isChecked());
        QVERIFY(!radio->isEnabled());
    }
    QVERIFY(find<QWidget>(QStringLiteral("pnl_Zusatz"))->isHidden());
    QVERIFY(find<QLabel>(QStringLiteral("lbl_zusatz"))->text().isEmpty());
    // The house-light minimum shows only for its firmware.
    auto* minimum = w_->findChild<QLineEdit*>(QStringLiteral("edt_mindestAnzahl"));
    QVERIFY(minimum == nullptr || minimum->isHidden());

    for (int i = 0; i < 5; ++i) {
        QVERIFY(panel(i).isEmpty());
    }
    QVERIFY(!find<QLabel>(QStringLiteral("Image2"))->pixmap().isNull());
}

void TestMainWindow::mmAccessoryShowsRowsColoursAndExtraValue() {
    Hex hex(kKind31, testhex::kMmSchalt);
    hex.row(1, "0300C3").row(2, "030003").byte(32, 20);
    QVERIFY(load(hex.text(), QStringLiteral("relais.hex")));

    QCOMPARE(w_->windowTitle(), QStringLiteral("Hex Quendra V0.41 – relais.hex[*]"));
    QCOMPARE(panel(0), QStringLiteral("1"));
    QCOMPARE(panel(1), QStringLiteral("V 0.41"));
    QCOMPARE(panel(2), QStringLiteral("Mot"));
    QCOMPARE(panel(3), QStringLiteral("Relaisdekoder 8"));
    QCOMPARE(panel(4), dir_->filePath(QStringLiteral("relais.hex")));
    QVERIFY(dialogs_.messages.isEmpty());

    QCOMPARE(visibleRows(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    QCOMPARE(w_->grid()->captionLabel(1)->text(), QStringLiteral("Out 1"));
    QCOMPARE(w_->grid()->captionLabel(9)->text(), QStringLiteral("All"));
    QVERIFY(w_->grid()->redGreenButton(1)->isVisible());
    QVERIFY(!w_->grid()->functionEdit(1)->isVisible());
    QCOMPARE(address(1)->text(), QStringLiteral("1"));
    QCOMPARE(address(2)->text(), QStringLiteral("1"));
    QCOMPARE(address(3)->text(), QStringLiteral("0"));
    QVERIFY(address(1)->toolTip().startsWith(addressHint(320)));
    QVERIFY(address(10) == nullptr); // no caption: the row is not even built
    QCOMPARE(base(address(1)), ParameterGridBox::kGreen);
    QCOMPARE(base(address(2)), ParameterGridBox::kRed);
    QVERIFY(!find<QWidget>(QStringLiteral("Line"))->isVisible());

    QVERIFY(find<QGroupBox>(QStringLiteral("GroupBoxFlags"))->isVisible());
    QVERIFY(find<QRadioButton>(QStringLiteral("rad_mm"))->isChecked());
    QVERIFY(!find<QRadioButton>(QStringLiteral("rad_dcc"))->isChecked());
    QVERIFY(find<QRadioButton>(QStringLiteral("rad_schalt"))->isChecked());
    QVERIFY(!find<QRadioButton>(QStringLiteral("rad_fzg"))->isChecked());

    QVERIFY(find<QWidget>(QStringLiteral("pnl_Zusatz"))->isVisible());
    QCOMPARE(find<QLabel>(QStringLiteral("lbl_zusatz"))->text(), QStringLiteral("Verzögerungszeit (1..255)"));
    auto* extra = find<QLineEdit>(QStringLiteral("edt_zusatz"));
    QCOMPARE(extra->text(), QStringLiteral("20"));
    QCOMPARE(extra->toolTip(), QStringLiteral("x 0.5 sec"));
    QVERIFY(w_->findChild<QLineEdit*>(QStringLiteral("edt_mindestAnzahl")) == nullptr);

    QVERIFY(find<QPushButton>(QStringLiteral("btn_save"))->isEnabled());
    QCOMPARE(find<QProgressBar>(QStringLiteral("ProgressBar1"))->value(), 0);
}

void TestMainWindow::dccAccessoryShowsItsLimits() {
    Hex hex(kKind23, testhex::kDccSchalt);
    hex.row(1, "79F005").byte(32, 9);
    QVERIFY(load(hex.text()));

    QCOMPARE(panel(2), QStringLiteral("DCC"));
    QCOMPARE(panel(3), QStringLiteral("Dorvat"));
    QCOMPARE(visibleRows(), (QList<int>{1, 2}));
    QCOMPARE(w_->grid()->captionLabel(2)->text(), QStringLiteral("Weiche 2"));
    QCOMPARE(address(1)->text(), QStringLiteral("1"));
    // The stored form of a DCC code is the red address.
    QCOMPARE(base(address(1)), ParameterGridBox::kRed);
    QVERIFY(address(1)->toolTip().startsWith(addressHint(2044)));
    QVERIFY(find<QRadioButton>(QStringLiteral("rad_dcc"))->isChecked());
    QVERIFY(find<QRadioButton>(QStringLiteral("rad_schalt"))->isChecked());
    QCOMPARE(find<QLabel>(QStringLiteral("lbl_zusatz"))->text(), QStringLiteral("Time Out (1..127)"));
    QCOMPARE(find<QLineEdit>(QStringLiteral("edt_zusatz"))->text(), QStringLiteral("9"));
}

void TestMainWindow::functionDecoderShowsFunctionNumbers() {
    Hex hex(kKind4, testhex::kDccFahrzeug);
    hex.row(1, "810300").row(2, "A8E8C3");
    QVERIFY(load(hex.text()));

    QCOMPARE(panel(3), QStringLiteral("Dorvat - Funktionsdekoder Schalten"));
    QCOMPARE(visibleRows(), (QList<int>{1, 2, 3, 4}));
    QVERIFY(w_->grid()->functionEdit(1)->isVisible());
    QVERIFY(!w_->grid()->redGreenButton(1)->isVisible());
    QCOMPARE(address(1)->text(), QStringLiteral("3"));
    QCOMPARE(w_->grid()->functionEdit(1)->text(), QStringLiteral("1"));
    QCOMPARE(address(2)->text(), QStringLiteral("1000"));
    QCOMPARE(w_->grid()->functionEdit(2)->text(), QStringLiteral("12"));
    QVERIFY(address(1)->toolTip().startsWith(addressHint(16128)));
    QCOMPARE(w_->grid()->functionEdit(1)->toolTip(),
             QStringLiteral("gültiger Bereich für die Funktions-Nummer: 1 bis 12"));
    QCOMPARE(base(address(1)), QColor(Qt::white));
    QVERIFY(find<QRadioButton>(QStringLiteral("rad_fzg"))->isChecked());
    QVERIFY(find<QWidget>(QStringLiteral("pnl_Zusatz"))->isHidden());
}

void TestMainWindow::twoColumnKinds_data() {
    QTest::addColumn<QString>("reset");
    QTest::addColumn<int>("rowsPerColumn");
    QTest::addColumn<int>("lastRow");
    QTest::addColumn<QString>("lastCaption");
    QTest::newRow("kind 8, Signal 4") << QString::fromStdString(kKind8) << 4 << 7 << QStringLiteral("VR2");
    QTest::newRow("kind 9, Signal SBB") << QString::fromStdString(kKind9) << 5 << 8 << QStringLiteral("FB3");
}

void TestMainWindow::twoColumnKinds() {
    QFETCH(QString, reset);
    QFETCH(int, rowsPerColumn);
    QFETCH(int, lastRow);
    QFETCH(QString, lastCaption);
    QVERIFY(load(Hex(reset.toStdString(), testhex::kMmSchalt).text()));

    QList<int> expected;
    for (int row = 1; row <= lastRow; ++row) {
        expected.append(row);
    }
    QCOMPARE(visibleRows(), expected);
    QCOMPARE(w_->grid()->captionLabel(lastRow)->text(), lastCaption);

    // The second column starts level with the first, right of its last control.
    const int second = rowsPerColumn + 1;
    QLabel* first = w_->grid()->captionLabel(1);
    QLabel* top = w_->grid()->captionLabel(second);
    QCOMPARE(top->y(), first->y());
    QVERIFY(top->x() > w_->grid()->redGreenButton(1)->geometry().right());
    QCOMPARE(w_->grid()->captionLabel(rowsPerColumn)->x(), first->x());
    QVERIFY(w_->grid()->captionLabel(2)->y() > first->geometry().bottom());
    QVERIFY(address(second)->x() > top->x());
    QVERIFY(w_->grid()->redGreenButton(second)->x() > address(second)->geometry().right());
    QVERIFY(w_->grid()->rect().contains(w_->grid()->redGreenButton(second)->geometry()));

    auto* line = find<QWidget>(QStringLiteral("Line"));
    QVERIFY(line->isVisible());
    QVERIFY(line->geometry().right() < top->x());
    QVERIFY(line->geometry().left() > w_->grid()->redGreenButton(1)->geometry().right());
}

void TestMainWindow::turntableIsMatchedOnItsOwnLine() {
    Hex hex(testhex::kPlainReset, testhex::kDccSchalt);
    hex.turntable = kTurntable24;
    QVERIFY(load(hex.text()));

    QCOMPARE(panel(3), QStringLiteral("Drehscheibe 24 Position"));
    QCOMPARE(panel(2), QStringLiteral("DCC"));
    QList<int> expected;
    for (int row = 4; row <= 19; ++row) {
        expected.append(row);
    }
    QCOMPARE(visibleRows(), expected);
    QCOMPARE(w_->grid()->captionLabel(4)->text(), QStringLiteral("Licht"));
    QCOMPARE(w_->grid()->captionLabel(6)->text(), QStringLiteral("Turn (180°)"));
    QCOMPARE(w_->grid()->captionLabel(8)->text(), QStringLiteral("Position1"));
    // Seven rows per column: "Position1" heads the second column, above the line of "Licht" (row 4,
    // the fourth line of the first column), which "Position4" shares.
    QLabel* position1 = w_->grid()->captionLabel(8);
    QVERIFY(position1->x() > w_->grid()->redGreenButton(4)->geometry().right());
    QVERIFY(position1->y() < w_->grid()->captionLabel(4)->y());
    QCOMPARE(w_->grid()->captionLabel(11)->y(), w_->grid()->captionLabel(4)->y());
    QVERIFY(dialogs_.messages.isEmpty());
}

void TestMainWindow::firmwareWithoutProtocolShowsNoRows() {
    QVERIFY(load(Hex(kKind21, testhex::kNoSignature).text()));
    QCOMPARE(panel(3), QStringLiteral("Pelvar"));
    QCOMPARE(panel(2), QStringLiteral("ohne"));
    QVERIFY(visibleRows().isEmpty());
    QVERIFY(dialogs_.messages.isEmpty());
}

void TestMainWindow::unrecognisedFileLeavesTheWindowAsItWas() {
    Hex first(kKind31, testhex::kMmSchalt);
    first.row(1, "0300C3").row(2, "030003").byte(32, 20);
    const QString firstPath = write(QStringLiteral("first.hex"), first.text());
    QVERIFY(w_->loadFile(firstPath));
    const hq::Firmware* loaded = w_->firmware();
    address(1)->setText(QStringLiteral("12"));
    QTest::mouseClick(w_->grid()->redGreenButton(2), Qt::LeftButton);

    // A text file: no records at all. Its lines have no checksums either, but that is not the point.
    QVERIFY(!load("Einkaufsliste\r\nBrot\r\nMilch\r\n", QStringLiteral("liste.txt")));
    QCOMPARE(dialogs_.messageTexts(),
             QStringList{kUnrecognised + QStringLiteral("\nDie Datei enthält keine Intel-HEX-Datensätze.")});
    QCOMPARE(dialogs_.messages.constFirst().icon, QMessageBox::Warning);
    QCOMPARE(dialogs_.messages.constFirst().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    // Records, but of no known firmware.
    dialogs_.messages.clear();
    QVERIFY(!load(Hex(testhex::kPlainReset, testhex::kMmSchalt).text(), QStringLiteral("other.hex")));
    QCOMPARE(dialogs_.messageTexts(),
             QStringList{kUnrecognised + QStringLiteral("\nKeine Zeile passt zu einer bekannten Firmware.")});

    // Everything as it was: firmware, edits, colours, status bar, title.
    QCOMPARE(w_->firmware(), loaded);
    QCOMPARE(panel(4), firstPath);
    QCOMPARE(panel(3), QStringLiteral("Relaisdekoder 8"));
    QCOMPARE(panel(2), QStringLiteral("Mot"));
    QCOMPARE(w_->windowTitle(), QStringLiteral("Hex Quendra V0.41 – first.hex[*]"));
    QCOMPARE(visibleRows(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    QCOMPARE(address(1)->text(), QStringLiteral("12"));
    QCOMPARE(base(address(2)), ParameterGridBox::kGreen);
    QCOMPARE(find<QLineEdit>(QStringLiteral("edt_zusatz"))->text(), QStringLiteral("20"));
    QVERIFY(find<QWidget>(QStringLiteral("pnl_Zusatz"))->isVisible());
    QVERIFY(find<QPushButton>(QStringLiteral("btn_save"))->isEnabled());
    QVERIFY(find<QPushButton>(QStringLiteral("btn_info"))->isEnabled());

    // And "HEX speichern" writes the first firmware, never the rejected text.
    dialogs_.messages.clear();
    const QString target = dir_->filePath(QStringLiteral("saved.hex"));
    dialogs_.saveNames = {target};
    w_->files()->save();
    QCOMPARE(dialogs_.messageTexts(), QStringList{});
    QCOMPARE(dialogs_.saveCalls.constFirst().proposedName, firstPath);
    QVERIFY(readAll(target).startsWith(QByteArray::fromStdString(kKind31)));
}

void TestMainWindow::unrecognisedFileAtStartKeepsTheEmptyWindow() {
    const QSize size = w_->size();
    QVERIFY(!load("kein HEX\n", QStringLiteral("notiz.txt")));
    // One message only: no word of checksums for a file that is refused anyway.
    QCOMPARE(dialogs_.messageTexts(),
             QStringList{kUnrecognised + QStringLiteral("\nDie Datei enthält keine Intel-HEX-Datensätze.")});
    QVERIFY(w_->firmware() == nullptr);
    QCOMPARE(w_->windowTitle(), QStringLiteral("Hex Quendra V0.41"));
    for (int i = 0; i < 5; ++i) {
        QVERIFY(panel(i).isEmpty());
    }
    QVERIFY(visibleRows().isEmpty());
    QCOMPARE(w_->size(), size);
    QVERIFY(!find<QPushButton>(QStringLiteral("btn_save"))->isEnabled());
    QVERIFY(!find<QPushButton>(QStringLiteral("btn_info"))->isEnabled());
    // Clicked all the same (as a queued click might), they do nothing.
    w_->files()->save();
    w_->files()->showInfo();
    QVERIFY(dialogs_.saveCalls.isEmpty());
    QCOMPARE(dialogs_.messages.size(), 1);
}

void TestMainWindow::rejectedFileKeepsTheEditorShown() {
    QVERIFY(load(Hex(kKind43, testhex::kMmSchalt).text(), QStringLiteral("blink.hex")));
    auto* editorPanel = find<QWidget>(QStringLiteral("pnl_blinkmuster"));
    QVERIFY(editorPanel->isVisible());
    const QSize size = w_->size();
    QVERIFY(!load("Hallo\n", QStringLiteral("hallo.txt")));
    QVERIFY(editorPanel->isVisible());
    QCOMPARE(w_->size(), size);
    QCOMPARE(panel(3), QStringLiteral("Dorvat - Blinkmuster"));
}

void TestMainWindow::loadButtonUsesTheOpenDialog() {
    const QString path = write(QStringLiteral("chosen.hex"), Hex(kKind23, testhex::kDccSchalt).text());
    dialogs_.openNames = {path};
    QTest::mouseClick(find<QPushButton>(QStringLiteral("btn_load")), Qt::LeftButton);
    QCOMPARE(dialogs_.openFilters, QStringList{QStringLiteral("HEX (*.hex);;TXT (*.txt);;*.* (*)")});
    QCOMPARE(panel(4), path);

    // Cancelling the dialog changes nothing.
    QTest::mouseClick(find<QPushButton>(QStringLiteral("btn_load")), Qt::LeftButton);
    QCOMPARE(panel(4), path);
    QCOMPARE(visibleRows(), (QList<int>{1, 2}));
}

void TestMainWindow::secondFileReplacesTheFirst() {
    Hex first(kKind31, testhex::kMmSchalt);
    first.row(2, "030003").byte(32, 20);
    QVERIFY(load(first.text(), QStringLiteral("first.hex")));
    address(1)->setText(QStringLiteral("77"));

    Hex second(kKind4, testhex::kDccFahrzeug);
    second.row(1, "810300");
    QVERIFY(load(second.text(), QStringLiteral("second.hex")));

    QCOMPARE(visibleRows(), (QList<int>{1, 2, 3, 4}));
    QCOMPARE(address(1)->text(), QStringLiteral("3"));
    QVERIFY(w_->grid()->captionLabel(9)->text().isEmpty());
    QVERIFY(!w_->grid()->redGreenButton(2)->isVisible());
    QCOMPARE(base(address(2)), QColor(Qt::white));
    QVERIFY(find<QWidget>(QStringLiteral("pnl_Zusatz"))->isHidden());
    QVERIFY(find<QLabel>(QStringLiteral("lbl_zusatz"))->text().isEmpty());
    QVERIFY(!find<QRadioButton>(QStringLiteral("rad_mm"))->isChecked());
    QVERIFY(!find<QRadioButton>(QStringLiteral("rad_schalt"))->isChecked());
    QVERIFY(find<QRadioButton>(QStringLiteral("rad_dcc"))->isChecked());
    QVERIFY(find<QRadioButton>(QStringLiteral("rad_fzg"))->isChecked());
    QCOMPARE(panel(2), QStringLiteral("DCC"));
}

void TestMainWindow::refusedFilesChangeNothing() {
    Hex hex(kKind31, testhex::kMmSchalt);
    hex.row(1, "0300C3");
    QVERIFY(load(hex.text(), QStringLiteral("good.hex")));
    const hq::Firmware* loaded = w_->firmware();
    address(1)->setText(QStringLiteral("12"));

    std::string tooLong;
    for (int i = 0; i < 600; ++i) {
        tooLong += ":00000001FF\r\n";
    }
    QVERIFY(!load(tooLong, QStringLiteral("long.hex")));
    QVERIFY(!w_->loadFile(dir_->filePath(QStringLiteral("missing.hex"))));

    QCOMPARE(dialogs_.messages.size(), 2);
    for (const auto& message : std::as_const(dialogs_.messages)) {
        QVERIFY(!message.text.isEmpty());
        QVERIFY(message.text != kUnrecognised);
    }
    QCOMPARE(w_->firmware(), loaded);
    QCOMPARE(panel(4), dir_->filePath(QStringLiteral("good.hex")));
    QCOMPARE(panel(3), QStringLiteral("Relaisdekoder 8"));
    QCOMPARE(w_->windowTitle(), QStringLiteral("Hex Quendra V0.41 – good.hex[*]"));
    QCOMPARE(visibleRows().size(), 9);
    QCOMPARE(address(1)->text(), QStringLiteral("12"));
}

void TestMainWindow::redGreenButtonFlipsTheColour() {
    Hex hex(kKind31, testhex::kMmSchalt);
    hex.row(1, "0300C3").row(2, "030003");
    QVERIFY(load(hex.text()));
    QCOMPARE(base(address(2)), ParameterGridBox::kRed);

    QTest::mouseClick(w_->grid()->redGreenButton(2), Qt::LeftButton);
    QCOMPARE(base(address(2)), ParameterGridBox::kGreen);
    QCOMPARE(base(address(1)), ParameterGridBox::kGreen);
    QCOMPARE(w_->document()->edited().rows.at(2).redGreen, 1);

    QTest::mouseClick(w_->grid()->redGreenButton(2), Qt::LeftButton);
    QCOMPARE(base(address(2)), ParameterGridBox::kRed);
    QCOMPARE(w_->document()->edited().rows.at(2).redGreen, 0);
}

void TestMainWindow::badInputIsReportedAndNothingWritten_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString extra = QStringLiteral("Verzögerungszeit (1..255)");
    QTest::newRow("extra not a number") << QStringLiteral("edt_zusatz") << QStringLiteral("zwei")
                                        << QStringLiteral("Ungültige Eingabe für <%1> ").arg(extra);
    QTest::newRow("extra too large") << QStringLiteral("edt_zusatz") << QStringLiteral("256")
                                     << QStringLiteral("Wert für <%1> ist zu gross").arg(extra);
    QTest::newRow("extra negative") << QStringLiteral("edt_zusatz") << QStringLiteral("-1")
                                    << QStringLiteral("Wert für <%1> ist zu klein").arg(extra);
    QTest::newRow("address not a number") << QStringLiteral("edt_adresse_3") << QStringLiteral("1a")
                                          << QStringLiteral("Ungültige Eingabe für <Out 3> ");
    QTest::newRow("address empty") << QStringLiteral("edt_adresse_4") << QString()
                                   << QStringLiteral("Ungültige Eingabe für <Out 4> ");
    QTest::newRow("address too large") << QStringLiteral("edt_adresse_9") << QStringLiteral("321")
                                       << QStringLiteral("Adresse für <All> ist zu gross");
    QTest::newRow("address negative") << QStringLiteral("edt_adresse_1") << QStringLiteral("-5")
                                      << QStringLiteral("Adresse für <Out 1> ist zu klein");
}

void TestMainWindow::badInputIsReportedAndNothingWritten() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    Hex hex(kKind31, testhex::kMmSchalt);
    hex.row(1, "0300C3").byte(32, 20);
    const QString source = write(QStringLiteral("in.hex"), hex.text());
    QVERIFY(w_->loadFile(source));
    const std::string before = hq::hexImageText(w_->firmware()->image);

    auto* edit = find<QLineEdit>(field);
    edit->setText(text);
    saveAndExpectProblem(message, edit);
    QCOMPARE(hq::hexImageText(w_->firmware()->image), before);
    QCOMPARE(readAll(source), QByteArray::fromStdString(hex.text()));

    // Mended, the same window saves.
    dialogs_.messages.clear();
    edit->setText(QStringLiteral("1"));
    const QString target = dir_->filePath(QStringLiteral("mended.hex"));
    dialogs_.saveNames = {target};
    w_->files()->save();
    QVERIFY(dialogs_.messages.isEmpty());
    QVERIFY(QFile::exists(target));
}

void TestMainWindow::functionNumbersAreCheckedAfterRowZero() {
    QVERIFY(load(Hex(kKind4, testhex::kDccFahrzeug).row(1, "810300").text()));
    // A bad address in row 1 is found after the function numbers of all rows.
    address(1)->setText(QStringLiteral("x"));
    w_->grid()->functionEdit(3)->setText(QStringLiteral("13"));
    saveAndExpectProblem(QStringLiteral("Funktions-Nummer für <Out 3> ist zu gross"),
                         w_->grid()->functionEdit(3));

    dialogs_.messages.clear();
    w_->grid()->functionEdit(3)->setText(QStringLiteral("?"));
    saveAndExpectProblem(QStringLiteral("Ungültige Eingabe Funktion von <Out 3> "),
                         w_->grid()->functionEdit(3));

    dialogs_.messages.clear();
    w_->grid()->functionEdit(3)->setText(QStringLiteral("2"));
    saveAndExpectProblem(QStringLiteral("Ungültige Eingabe für <Out 1> "), address(1));
}

void TestMainWindow::savingWritesTheEditedEepromRecords() {
    Hex hex(kKind31, testhex::kMmSchalt);
    hex.row(1, "0300C3").row(2, "030003").byte(32, 20).byte(50, 0x42);
    const QString source = write(QStringLiteral("relais.hex"), hex.text());
    QVERIFY(w_->loadFile(source));

    QTest::mouseClick(w_->grid()->redGreenButton(2), Qt::LeftButton); // row 2 to green
    QTest::mouseClick(w_->grid()->redGreenButton(3), Qt::LeftButton); // row 3, address 0, to red
    QLineEdit* extra = find<QLineEdit>(QStringLiteral("edt_zusatz"));
    extra->selectAll();
    QTest::keyClicks(extra, QStringLiteral("30"));

    const QString target = dir_->filePath(QStringLiteral("patched.hex"));
    dialogs_.saveNames = {target};
    QTest::mouseClick(find<QPushButton>(QStringLiteral("btn_save")), Qt::LeftButton);
    QVERIFY(dialogs_.messages.isEmpty());
    QCOMPARE(dialogs_.saveCalls.size(), 1);
    QCOMPARE(dialogs_.saveCalls.constFirst().filter, QStringLiteral("HEX (*.hex);;TXT (*.txt);;*.* (*)"));
    QCOMPARE(dialogs_.saveCalls.constFirst().defaultSuffix, QStringLiteral("hex"));
    QCOMPARE(dialogs_.saveCalls.constFirst().proposedName, source);

    Hex expected = hex;
    expected.row(2, "0300C3").row(3, "FFFF3F").byte(32, 30);
    const QStringList lines = QString::fromUtf8(readAll(target)).split(QStringLiteral("\r\n"));
    QStringList records;
    for (const QString& line : lines) {
        if (line.startsWith(QStringLiteral(":1042"))) {
            records.append(line);
        }
    }
    QCOMPARE(records.size(), 16);
    for (int n = 0; n < 16; ++n) {
        QCOMPARE(records.at(n), QString::fromStdString(testhex::eepromRecord(expected.eeprom, n)));
    }
    QCOMPARE(lines.constFirst(), QString::fromStdString(kKind31));
    QCOMPARE(readAll(source), QByteArray::fromStdString(hex.text()));

    QCOMPARE(panel(4), target);
    QCOMPARE(w_->windowTitle(), QStringLiteral("Hex Quendra V0.41 – patched.hex[*]"));
}

void TestMainWindow::savingFunctionDecoderValues() {
    // Erased rows ("FFFFFF") read as address 16383, above the highest; every row gets a valid code.
    QVERIFY(load(Hex(kKind4, testhex::kDccFahrzeug)
                     .row(1, "810300")
                     .row(2, "810300")
                     .row(3, "820400")
                     .row(4, "840500")
                     .text()));
    address(1)->setText(QStringLiteral("1000"));
    w_->grid()->functionEdit(1)->setText(QStringLiteral("12"));
    address(2)->setText(QStringLiteral("3"));
    w_->grid()->functionEdit(2)->setText(QStringLiteral("1"));

    const QString target = dir_->filePath(QStringLiteral("function.hex"));
    dialogs_.saveNames = {target};
    w_->files()->save();
    QCOMPARE(dialogs_.messageTexts(), QStringList{});

    auto reloaded = hq::loadFirmwareFile(target.toStdString());
    QVERIFY(reloaded.ok());
    const hq::EepromImage& eeprom = reloaded->eeprom();
    QCOMPARE(QString::fromStdString(eeprom.bytes[1] + eeprom.bytes[17] + eeprom.bytes[33]),
             QStringLiteral("A8E8C3"));
    QCOMPARE(QString::fromStdString(eeprom.bytes[2] + eeprom.bytes[18] + eeprom.bytes[34]),
             QStringLiteral("810300"));
}

void TestMainWindow::cancelledSaveDialogWritesNothing() {
    const QString source = write(QStringLiteral("in.hex"), Hex(kKind31, testhex::kMmSchalt).text());
    QVERIFY(w_->loadFile(source));
    w_->files()->save();
    QCOMPARE(dialogs_.saveCalls.size(), 1);
    QVERIFY(dialogs_.messages.isEmpty());
    QCOMPARE(panel(4), source);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{QStringLiteral("in.hex")});
}

void TestMainWindow::failedSaveSaysSoAndKeepsTheOldFile() {
    const QString source = write(QStringLiteral("in.hex"), Hex(kKind31, testhex::kMmSchalt).text());
    QVERIFY(w_->loadFile(source));
    // A folder that cannot exist: its parent is a plain file.
    const QString target = source + QStringLiteral("/out.hex");
    dialogs_.saveNames = {target};
    w_->files()->save();

    QCOMPARE(dialogs_.messages.size(), 1);
    QVERIFY(dialogs_.messages.constFirst().text.startsWith(
        QStringLiteral("Das HEX-File konnte nicht gespeichert werden:")));
    QVERIFY(dialogs_.messages.constFirst().text.contains(target));
    QCOMPARE(panel(4), source);
    QCOMPARE(readAll(source), QByteArray::fromStdString(Hex(kKind31, testhex::kMmSchalt).text()));
}

void TestMainWindow::readOnlyFolderKeepsTheOldFile() {
    if (geteuid() == 0) {
        QSKIP("root writes into read-only folders");
    }
    QVERIFY(load(Hex(kKind31, testhex::kMmSchalt).text()));
    const QString folder = dir_->filePath(QStringLiteral("locked"));
    QVERIFY(QDir().mkpath(folder));
    const QString target = folder + QStringLiteral("/old.hex");
    {
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old contents\n");
    }
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    dialogs_.saveNames = {target};
    w_->files()->save();
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    QCOMPARE(dialogs_.messages.size(), 1);
    QVERIFY(dialogs_.messages.constFirst().text.startsWith(
        QStringLiteral("Das HEX-File konnte nicht gespeichert werden:")));
    QCOMPARE(readAll(target), QByteArray("old contents\n"));
}

void TestMainWindow::editorsAreResetSetUpAndAskedBeforeSaving() {
    w_ = std::make_unique<TFormMain>(); // without the real editors
    w_->show();
    QVERIFY(QTest::qWaitForWindowActive(w_.get()));
    QStringList log;
    auto blink = std::make_unique<FakeEditor>(hq::Panel::Blink, QStringLiteral("blink"), log);
    auto servo = std::make_unique<FakeEditor>(hq::Panel::Servo, QStringLiteral("servo"), log);
    FakeEditor* blinkEditor = blink.get();
    w_->addEditor(std::move(blink));
    w_->addEditor(std::move(servo));
    log.clear();

    QVERIFY(load(hq::demoFirmwareText(43, hq::Protocol::MM)));
    QCOMPARE(log, (QStringList{QStringLiteral("blink reset"), QStringLiteral("servo reset"),
                               QStringLiteral("blink setUp")}));
    QCOMPARE(blinkEditor->document_, w_->document());
    QCOMPARE(blinkEditor->host_, static_cast<EditorHost*>(w_.get()));
    QCOMPARE(visibleRows(), (QList<int>{1, 2, 3, 4}));

    // An editor's change not taken over: "No" ends the save.
    FirmwareDocument* document = w_->document();
    document->patterns().toggleLoop(1);
    QVERIFY(document->hasPendingEditorChanges());
    dialogs_.answers = {QMessageBox::No};
    dialogs_.saveNames = {dir_->filePath(QStringLiteral("no.hex"))};
    w_->files()->save();
    QCOMPARE(dialogs_.messageTexts(), QStringList{QStringLiteral("Geänderte Werte übernehmen?")});
    QCOMPARE(dialogs_.messages.constFirst().buttons, QMessageBox::Yes | QMessageBox::No);
    QVERIFY(dialogs_.saveCalls.isEmpty());
    QVERIFY(document->hasPendingEditorChanges());

    // "Yes" takes the change over and saves it.
    dialogs_.messages.clear();
    dialogs_.answers = {QMessageBox::Yes};
    w_->files()->save();
    QCOMPARE(dialogs_.saveCalls.size(), 1);
    QVERIFY(!document->hasPendingEditorChanges());
    QVERIFY(!document->isModified());
    auto saved = hq::loadFirmwareFile(dir_->filePath(QStringLiteral("no.hex")).toStdString());
    QVERIFY(saved.ok());
    QVERIFY(hq::readSettings(*saved).patterns == document->edited().patterns);

    // Nothing pending: no question.
    dialogs_.messages.clear();
    dialogs_.saveNames = {dir_->filePath(QStringLiteral("again.hex"))};
    w_->files()->save();
    QVERIFY(dialogs_.messages.isEmpty());
}

void TestMainWindow::infoDialogShowsEepromAndLines() {
    QStringList eeprom;
    QStringList registers;
    auto inspect = [&] {
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<TfrmInfo*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("HEX File Information"));
            eeprom = dialog->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))
                         ->toPlainText()
                         .split(QLatin1Char('\n'));
            registers = dialog->findChild<QPlainTextEdit*>(QStringLiteral("Memo3"))
                            ->toPlainText()
                            .split(QLatin1Char('\n'));
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btn_close")), Qt::LeftButton);
        });
        QTest::mouseClick(find<QPushButton>(QStringLiteral("btn_info")), Qt::LeftButton);
    };

    // Nothing to show before a firmware is loaded.
    QVERIFY(!find<QPushButton>(QStringLiteral("btn_info"))->isEnabled());

    Hex hex(kKind31, testhex::kMmSchalt);
    hex.row(1, "0300C3");
    QVERIFY(load(hex.text()));
    inspect();
    QCOMPARE(eeprom.size(), 8);
    QCOMPARE(eeprom.at(0), QStringLiteral(" FF 03 FF FF FF FF FF FF FF FF FF FF FF FF FF FF"));
    QCOMPARE(eeprom.at(2), QStringLiteral(" FF C3 FF FF FF FF FF FF FF FF FF FF FF FF FF FF"));
    QCOMPARE(registers.size(), 21);
    QCOMPARE(registers.at(0), QStringLiteral("# 0: :0400000069303A2801 "));
    QCOMPARE(registers.at(20), QStringLiteral("# 20: :00000001FF "));
}

void TestMainWindow::pictureOpensTheWebPage() {
    QTest::mouseClick(find<QLabel>(QStringLiteral("Image2")), Qt::LeftButton);
    QCOMPARE(dialogs_.urls.size(), 1);
    QTest::mouseClick(find<QGroupBox>(QStringLiteral("GroupBoxImage")), Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(dialogs_.urls.size(), 2);
    const QUrl url = dialogs_.urls.constFirst();
    QVERIFY(url.isValid());
    QCOMPARE(url.scheme(), QStringLiteral("https"));
}

void TestMainWindow::wrongChecksumsAreReportedAfterLoading() {
    std::string text = Hex(kKind31, testhex::kMmSchalt).text();
    // Spoil the checksum of the third line.
    std::size_t third = text.find('\n', text.find('\n') + 1) + 1;
    std::size_t end = text.find_first_of("\r\n", third);
    text[end - 1] = text[end - 1] == '0' ? '1' : '0';
    QVERIFY(load(text));
    QCOMPARE(dialogs_.messages.size(), 1);
    QCOMPARE(dialogs_.messages.constFirst().icon, QMessageBox::Warning);
    QVERIFY(dialogs_.messages.constFirst().text.startsWith(QStringLiteral(
        "Achtung: Das HEX-File enthält Zeilen mit falscher Prüfsumme oder fehlerhaftem Aufbau:\n3\n")));
    // The file is loaded all the same, the line held as it stands.
    QCOMPARE(w_->firmware()->recognition.kind, 31);
}

void TestMainWindow::droppedFileIsLoaded() {
    const QString path = write(QStringLiteral("dropped.hex"), Hex(kKind23, testhex::kDccSchalt).text());
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w_.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w_.get(), &drop);
    QTRY_COMPARE(panel(4), path);
    QCOMPARE(panel(3), QStringLiteral("Dorvat"));
}

void TestMainWindow::enterClicksTheFocusedButton() {
    auto press = [this](QWidget* target, Qt::Key key) {
        target->setFocus(Qt::TabFocusReason);
        QCOMPARE(w_->focusWidget(), target);
        QTest::keyClick(target, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    };
    auto* load = find<QPushButton>(QStringLiteral("btn_load"));
    const QString path =
        write(QStringLiteral("enter.hex"), Hex(kKind31, testhex::kMmSchalt).row(2, "030003").text());
    dialogs_.openNames = {path};
    press(load, Qt::Key_Return);
    QCOMPARE(dialogs_.openFilters.size(), 1);
    QCOMPARE(panel(4), path);

    // The keypad's Enter on "R/G" switches the row's colour.
    QCOMPARE(base(address(2)), ParameterGridBox::kRed);
    press(w_->grid()->redGreenButton(2), Qt::Key_Enter);
    QCOMPARE(base(address(2)), ParameterGridBox::kGreen);

    // In a line edit Enter clicks nothing.
    QSignalSpy saved(find<QPushButton>(QStringLiteral("btn_save")), &QPushButton::clicked);
    press(find<QLineEdit>(QStringLiteral("edt_zusatz")), Qt::Key_Return);
    press(address(1), Qt::Key_Enter);
    QCOMPARE(saved.count(), 0);
    QCOMPARE(dialogs_.openFilters.size(), 1);
    QVERIFY(dialogs_.saveCalls.isEmpty());

    press(find<QPushButton>(QStringLiteral("btn_save")), Qt::Key_Return);
    QCOMPARE(dialogs_.saveCalls.size(), 1);

    // "Info" opens its dialog; "Ende" closes the window.
    bool shown = false;
    QTimer::singleShot(0, this, [&shown] {
        auto* dialog = qobject_cast<TfrmInfo*>(QApplication::activeModalWidget());
        shown = dialog != nullptr;
        if (dialog != nullptr) {
            dialog->close();
        }
    });
    press(find<QPushButton>(QStringLiteral("btn_info")), Qt::Key_Enter);
    QVERIFY(shown);
    // The R/G change is not saved (the save dialog was cancelled): "Ende" asks first.
    dialogs_.messages.clear();
    dialogs_.answers = {QMessageBox::Discard};
    press(find<QPushButton>(QStringLiteral("btn_close")), Qt::Key_Return);
    QCOMPARE(dialogs_.messageTexts(),
             QStringList{QStringLiteral("Die Änderungen an enter.hex sind noch nicht gespeichert.")});
    QVERIFY(!w_->isVisible());
}

HQ_TEST_CLASS(TestMainWindow)
#include "tst_MainWindow.moc"
