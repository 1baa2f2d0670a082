// The window's layout as a user meets it with the fonts of a desktop: every numeric field of every
// firmware kind shows its longest valid value in bold with its change mark, the help line under the
// rows shows its whole text, the warning marks lie inside the grid box, and the boxes keep their
// arrangement and the window its least size. Run once as it is and once with QT_SCALE_FACTOR=1.5;
// each run goes through the default font, 11 and 14 points, and the default font 1.5 times as large.
// With HQ_WINDOW_SHOTS set to a folder, a picture of each kind's window with its longest values is
// saved there.

#include "ButtonBox.h"
#include "ChangeMark.h"
#include "FakeDialogs.h"
#include "FlagsBox.h"
#include "ImageBox.h"
#include "ParameterGridBox.h"
#include "QtTestSuite.h"
#include "TFormMain.h"
#include "ZusatzPanel.h"
#include "document/FirmwareDocument.h"
#include "main/AppFactory.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>

namespace {

// The text of `field` shows whole: the style's contents rectangle holds it in the field's font (bold
// while marked) with the two pixels a line edit keeps on either side of its text.
QString cutText(const QLineEdit* field) {
    QStyleOptionFrame option;
    option.initFrom(field);
    option.rect = field->rect();
    option.lineWidth =
        field->hasFrame() ? field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, field) : 0;
    const QRect contents = field->style()
                               ->subElementRect(QStyle::SE_LineEditContents, &option, field)
                               .marginsRemoved(field->textMargins());
    const QFontMetrics metrics(field->font());
    const int needed = metrics.horizontalAdvance(field->text()) + 2 * 2;
    if (needed > contents.width() || metrics.height() > contents.height())
        return QStringLiteral("%1: \"%2\" needs %3 x %4, has %5 x %6")
            .arg(field->objectName(), field->text())
            .arg(needed)
            .arg(metrics.height())
            .arg(contents.width())
            .arg(contents.height());
    return {};
}

// `widget` lies inside `box` (in the box's coordinates, within its frame).
bool inside(const QWidget* widget, const QWidget* box) {
    const QRect rect(widget->mapTo(box, QPoint(0, 0)), widget->size());
    return box->contentsRect().contains(rect);
}

struct FontCase {
    const char* name;
    double points; // 0: the default font; below 0: the default font times -points
};

const FontCase kFonts[] = {{"default", 0}, {"11pt", 11}, {"14pt", 14}, {"default-x1.5", -1.5}};

QStringList demoFiles(bool bothProtocols) {
    const QDir examples(QStringLiteral(HQ_EXAMPLES_DIR));
    return examples.entryList(
        {bothProtocols ? QStringLiteral("demo-*.hex") : QStringLiteral("demo-*-dcc.hex")}, QDir::Files,
        QDir::Name);
}

} // namespace

class TestWindowLayout : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dialogs_ = FakeDialogs();
        Dialogs::install(&dialogs_);
        defaultFont_ = QApplication::font();
    }
    void cleanup() {
        window_.reset();
        QApplication::setFont(defaultFont_);
        Dialogs::install(nullptr);
    }

    void longestValuesShowWhole_data();
    void longestValuesShowWhole();
    void theArrangementKeepsItsOrderAndLeastSize();
    void aWindowLooksTheSameWhateverWasLoadedBefore_data();
    void aWindowLooksTheSameWhateverWasLoadedBefore();

private:
    void typeLongestValues();
    QStringList problems(const QString& file);

    FakeDialogs dialogs_;
    QFont defaultFont_;
    std::unique_ptr<TFormMain> window_;
};

void TestWindowLayout::longestValuesShowWhole_data() {
    QTest::addColumn<double>("points");
    for (const FontCase& font : kFonts)
        QTest::newRow(font.name) << font.points;
}

void TestWindowLayout::longestValuesShowWhole() {
    QFETCH(double, points);
    QFont font = defaultFont_;
    if (points > 0)
        font.setPointSizeF(points);
    else if (points < 0)
        font.setPointSizeF(font.pointSizeF() * -points);
    QApplication::setFont(font);
    window_ = createMainWindow();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));

    QStringList found;
    // Every kind in DCC (the larger ranges) in every font, and in MM as well with the default one.
    for (const QString& name : demoFiles(points == 0)) {
        QVERIFY(window_->loadFile(QStringLiteral(HQ_EXAMPLES_DIR "/") + name));
        typeLongestValues();
        QCoreApplication::processEvents();
        found << problems(name);
        if (const QString shots = qEnvironmentVariable("HQ_WINDOW_SHOTS"); !shots.isEmpty() && points == 0) {
            QDir().mkpath(shots);
            QVERIFY(
                window_->grab().save(QStringLiteral("%1/%2-%3.png")
                                         .arg(shots, QFileInfo(name).completeBaseName(),
                                              qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")))));
        }
        window_->document()->discardAllChanges();
    }
    QCOMPARE(found.join(QLatin1Char('\n')), QString());
    QCOMPARE(dialogs_.messageTexts(), QStringList{});
}

// The largest value each shown field takes, different from the file's so that it is marked.
void TestWindowLayout::typeLongestValues() {
    const hq::Recognition& recognition = window_->document()->firmware().recognition;
    ParameterGridBox* grid = window_->grid();
    auto type = [](QLineEdit* field, int highest) {
        const QString longest = QString::number(highest);
        field->setText(field->text() == longest ? QString::number(highest - 1) : longest);
    };
    for (int row = 1; row < hq::kRowCount; ++row) {
        if (grid->addressEdit(row) == nullptr || grid->addressEdit(row)->isHidden())
            continue;
        type(grid->addressEdit(row), recognition.maxAddress);
        if (!grid->functionEdit(row)->isHidden())
            type(grid->functionEdit(row), recognition.maxFunction);
    }
    if (window_->zusatz()->hasExtra())
        type(window_->zusatz()->extraEdit(), recognition.extra()->maximum);
    // The house-light minimum, until the house-light editor has a field of its own.
    if (QLineEdit* minimum = window_->findChild<QLineEdit*>(QStringLiteral("edt_mindestAnzahl"));
        minimum != nullptr && minimum->isVisible())
        type(minimum, 9);
}

QStringList TestWindowLayout::problems(const QString& file) {
    QStringList found;
    auto add = [&found, &file](const QString& problem) {
        if (!problem.isEmpty())
            found << file + QStringLiteral(": ") + problem;
    };
    ParameterGridBox* grid = window_->grid();
    QWidget* client = window_->centralWidget();
    QList<NumberField*> fields;
    for (NumberField* field : client->findChildren<NumberField*>()) {
        if (field->isVisible() && (grid->isAncestorOf(field) || window_->zusatz()->isAncestorOf(field)))
            fields << field;
    }
    if (fields.isEmpty())
        add(QStringLiteral("no field shown"));
    for (NumberField* field : std::as_const(fields)) {
        if (!hasChangeMark(field))
            add(field->objectName() + QStringLiteral(" is not marked"));
        add(cutText(field));
        if (!inside(field, field->parentWidget()))
            add(field->objectName() + QStringLiteral(" reaches out of its box"));
    }
    for (int row = 1; row < hq::kRowCount; ++row) {
        QLabel* mark = grid->warningMark(row);
        if (mark != nullptr && mark->isVisible() && !inside(mark, grid))
            add(mark->objectName() + QStringLiteral(" lies outside the grid box"));
    }
    QLabel* help = grid->helpLine();
    if (help->isVisible()) {
        if (help->height() < help->heightForWidth(help->width()) || !inside(help, grid))
            add(QStringLiteral("the help line is cut: ") + help->text());
        if (help->text().contains(QChar(0x2026)))
            add(QStringLiteral("the help line is shortened: ") + help->text());
    }
    for (QWidget* box : {static_cast<QWidget*>(grid), static_cast<QWidget*>(window_->buttons()),
                         static_cast<QWidget*>(window_->imageBox())}) {
        if (!client->rect().contains(box->geometry()))
            add(box->objectName() + QStringLiteral(" reaches out of the window"));
    }
    return found;
}

void TestWindowLayout::theArrangementKeepsItsOrderAndLeastSize() {
    window_ = createMainWindow();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    const int menu = window_->menuBar()->height();
    QVERIFY(window_->width() >= TFormMain::kMinimumWidth);
    QVERIFY(window_->height() >= TFormMain::kMinimumHeight + menu);
    QCOMPARE(window_->minimumSize(), window_->size());

    auto check = [this] {
        const QRect grid = window_->grid()->geometry();
        const QRect buttons = window_->buttons()->geometry();
        const QRect picture = window_->imageBox()->geometry();
        const QRect flags(window_->grid()->flags()->mapTo(window_->centralWidget(), QPoint(0, 0)),
                          window_->grid()->flags()->size());
        // The grid top left, its flags box at its bottom, the buttons below it, the picture right of them.
        QVERIFY(grid.left() < buttons.left() + 1 && grid.bottom() < buttons.top());
        QVERIFY(grid.contains(flags) &&
                flags.bottom() >
                    window_->grid()->helpLine()->mapTo(window_->centralWidget(), QPoint(0, 0)).y());
        QVERIFY(picture.left() > buttons.right());
        QCOMPARE(picture.top(), buttons.top());
    };
    check();
    QVERIFY(window_->loadFile(QStringLiteral(HQ_EXAMPLES_DIR "/demo-31-dcc.hex")));
    check();
    // The extra value right of the grid, level with its top.
    const QRect extra(window_->zusatz()->mapTo(window_->centralWidget(), QPoint(0, 0)),
                      window_->zusatz()->size());
    QVERIFY(extra.left() > window_->grid()->geometry().right());
    QVERIFY(extra.top() <= window_->grid()->geometry().top() + 1);

    // An editor takes the room right of the grid and the buttons, from top to bottom; the window
    // grows for it and is its least size again for a firmware without one.
    QVERIFY(window_->loadFile(QStringLiteral(HQ_EXAMPLES_DIR "/demo-43-dcc.hex")));
    check();
    QWidget* area = window_->findChild<QWidget*>(QStringLiteral("EditorArea"));
    QVERIFY(area != nullptr && area->isVisible());
    const QRect room(area->mapTo(window_->centralWidget(), QPoint(0, 0)), area->size());
    QVERIFY(room.left() > window_->imageBox()->geometry().right());
    QVERIFY(room.top() <= window_->grid()->geometry().top() + 1);
    QVERIFY(room.bottom() >= window_->buttons()->geometry().bottom() - 1);
    QVERIFY(window_->width() > TFormMain::kMinimumWidth);
    QVERIFY(window_->loadFile(QStringLiteral(HQ_EXAMPLES_DIR "/demo-31-dcc.hex")));
    QVERIFY(!area->isVisible());
    QCOMPARE(window_->size(), QSize(TFormMain::kMinimumWidth, TFormMain::kMinimumHeight + menu));
}

void TestWindowLayout::aWindowLooksTheSameWhateverWasLoadedBefore_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("file");
    QTest::newRow("one column, then two")
        << QStringLiteral("demo-31-dcc.hex") << QStringLiteral("demo-19-dcc.hex");
    QTest::newRow("two columns, then one")
        << QStringLiteral("demo-19-dcc.hex") << QStringLiteral("demo-6-dcc.hex");
    QTest::newRow("an editor, then none")
        << QStringLiteral("demo-43-mm.hex") << QStringLiteral("demo-31-mm.hex");
    QTest::newRow("none, then an editor")
        << QStringLiteral("demo-31-mm.hex") << QStringLiteral("demo-44-dcc.hex");
}

// The help line, the rows and the window take the room the loaded file needs, not what the file
// before needed.
void TestWindowLayout::aWindowLooksTheSameWhateverWasLoadedBefore() {
    QFETCH(QString, before);
    QFETCH(QString, file);
    auto shownWith = [this](const QStringList& files) {
        window_ = createMainWindow();
        window_->show();
        if (!QTest::qWaitForWindowExposed(window_.get()))
            return QString();
        for (const QString& name : files)
            window_->loadFile(QStringLiteral(HQ_EXAMPLES_DIR "/") + name);
        QCoreApplication::processEvents();
        QLabel* help = window_->grid()->helpLine();
        return QStringLiteral("window %1 x %2, help line %3 x %4 at %5")
            .arg(window_->width())
            .arg(window_->height())
            .arg(help->width())
            .arg(help->height())
            .arg(help->y());
    };
    const QString fresh = shownWith({file});
    QCOMPARE(shownWith({before, file}), fresh);
}

HQ_TEST_CLASS(TestWindowLayout)
#include "tst_WindowLayout.moc"
