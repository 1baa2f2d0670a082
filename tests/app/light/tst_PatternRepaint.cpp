// What the blink and LED editors repaint and say while the user draws: a stroke changes only its
// address's pattern in the document and repaints only its own drawing (no other drawing, nothing of
// the grid), undo repaints the address it gives back, a stroke that changes nothing says so in the
// status bar with the drawing rule, and the "?" beside the rule opens the manual at the drawing rules.

#include "../EditorTestSupport.h"
#include "LightTestSupport.h"
#include "RecordingDialogs.h"

#include "QtTestSuite.h"
#include "document/DocumentChange.h"
#include "help/ManualWindow.h"
#include "light/BlinkEditor.h"
#include "light/LedEditor.h"
#include "light/PatternCanvas.h"
#include "light/PatternPanel.h"
#include "main/ParameterGridBox.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QUndoStack>

#include <map>
#include <memory>
#include <vector>

using namespace hq::test;
using editortest::drag;
using editortest::sendMouse;

namespace {

const QString kNothingDrawn = QStringLiteral("Nichts geändert: Die berührten Schritte waren schon so "
                                             "(obere Hälfte: an, untere Hälfte: aus).");

// Counts the paint events of every widget while it lives.
class PaintCounter : public QObject {
public:
    PaintCounter() { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }

    int of(const QObject* widget) const {
        const auto found = paints_.find(widget);
        return found == paints_.end() ? 0 : found->second;
    }
    // Paints of `container` and everything inside it.
    int inside(const QWidget* container) const {
        int total = 0;
        for (const auto& [widget, count] : paints_)
            if (widget == container || container->isAncestorOf(static_cast<const QWidget*>(widget)))
                total += count;
        return total;
    }
    void clear() { paints_.clear(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints_[watched];
        return false;
    }

private:
    std::map<const QObject*, int> paints_;
};

// Every change the document sends while it lives.
struct ChangeLog {
    explicit ChangeLog(FirmwareDocument& document) {
        QObject::connect(&document, &FirmwareDocument::changed, &receiver,
                         [this](const DocumentChange& change) { changes.push_back(change); });
    }
    QObject receiver;
    std::vector<DocumentChange> changes;
};

} // namespace

class PatternRepaintTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dialogs = std::make_unique<RecordingDialogs>();
        window = std::make_unique<LightTestWindow>();
        window->load(firmwareOf(tableFirmware(kLedReset, 4, ledDemoTable())));
        editor = std::make_unique<LedEditor>();
        editor->setUp(window->document, window->window);
        panel = editor->panelWidget();
        QVERIFY(QTest::qWaitForWindowExposed(&window->window));
        QCoreApplication::processEvents();
    }
    void cleanup() {
        editor.reset();
        window.reset();
        dialogs.reset();
    }

    void aStrokeChangesAndRepaintsOnlyItsDrawing() {
        PatternCanvas* drawn = panel->canvas(3);
        ChangeLog log(window->document);
        PaintCounter paints;
        const int low = drawn->height() - 2;
        sendMouse(drawn, QEvent::MouseButtonPress, {2, 2}, Qt::LeftButton, Qt::LeftButton);
        for (int x = 2; x < drawn->width(); x += 20) {
            sendMouse(drawn, QEvent::MouseMove, {x, (x / 20) % 2 == 0 ? 2 : low}, Qt::NoButton,
                      Qt::LeftButton);
            QCoreApplication::processEvents();
        }
        sendMouse(drawn, QEvent::MouseButtonRelease, {drawn->width() - 2, 2}, Qt::LeftButton, Qt::NoButton);
        QCoreApplication::processEvents();

        QVERIFY(log.changes.size() > 5);
        for (const DocumentChange& change : log.changes) {
            QVERIFY(change.touches(DocumentChange::Area::Patterns));
            for (auto area :
                 {DocumentChange::Area::Rows, DocumentChange::Area::Extra, DocumentChange::Area::Servo,
                  DocumentChange::Area::Neon, DocumentChange::Area::House, DocumentChange::Area::Baseline})
                QVERIFY(!change.touches(area));
            QVERIFY(change.touchesPatternAddress(1));
            for (int address = 2; address <= 4; ++address)
                QVERIFY(!change.touchesPatternAddress(address));
        }
        QVERIFY(paints.of(drawn) > 0);
        for (int n = 1; n <= 10; ++n)
            if (n != 3)
                QVERIFY2(paints.of(panel->canvas(n)) == 0, qPrintable(panel->canvas(n)->objectName()));
        QCOMPARE(paints.inside(window->window.grid()), 0);
        QCOMPARE(window->document.undoStack()->count(), 1);
    }

    // Undone while another address is shown, a change repaints none of the drawings shown; undone
    // while its address is shown, the drawing shows the steps it gives back.
    void undoRepaintsTheAddressItGivesBack() {
        PatternCanvas* canvas = panel->canvas(2);
        const std::vector<bool> before = canvas->steps();
        drag(canvas, {{2, 2}, {canvas->width() - 2, 2}});
        QVERIFY(canvas->steps() != before);
        panel->addressButton(3)->click();
        drag(canvas, {{2, 2}, {canvas->width() - 2, 2}});
        panel->addressButton(1)->click();
        QCoreApplication::processEvents();

        PaintCounter paints;
        window->document.undoStack()->undo(); // address 3's stroke
        QCoreApplication::processEvents();
        for (int n = 1; n <= 10; ++n)
            QCOMPARE(paints.of(panel->canvas(n)), 0);
        QVERIFY(!hasChangeMark(panel->addressButton(3)));
        QVERIFY(hasChangeMark(panel->addressButton(1)));
        QVERIFY(canvas->steps() != before);

        window->document.undoStack()->undo(); // address 1's stroke
        QCoreApplication::processEvents();
        QVERIFY(paints.of(canvas) > 0);
        QCOMPARE(canvas->steps(), before);
        QVERIFY(!hasChangeMark(panel->addressButton(1)));
    }

    void aStrokeThatChangesNothingSaysSo() {
        QStatusBar* status = window->window.statusBar();
        // Output 2 of address 1 is on in steps 1 and 11 of 20: drawing steps 3..5 off through the
        // lower half changes nothing.
        PatternCanvas* canvas = panel->canvas(2);
        QCOMPARE(canvas->steps().size(), std::size_t(20));
        const int low = canvas->height() - 2;
        const int stepWidth = (canvas->width() - 10) / 20;
        status->clearMessage();
        drag(canvas, {{3 * stepWidth + 5, low}, {5 * stepWidth + 5, low}});
        QCOMPARE(status->currentMessage(), kNothingDrawn);
        QCOMPARE(window->document.undoStack()->count(), 0);

        // A stroke that changes something says nothing.
        status->clearMessage();
        drag(canvas, {{3 * stepWidth + 5, 2}, {5 * stepWidth + 5, 2}});
        QCOMPARE(status->currentMessage(), QString());
        QCOMPARE(window->document.undoStack()->count(), 1);

        // Once per stroke, also for a click.
        status->clearMessage();
        editortest::click(canvas, {3 * stepWidth + 5, 2});
        QCOMPARE(status->currentMessage(), kNothingDrawn);
    }

    void theRuleOpensTheManualAtTheDrawingRules() {
        QCOMPARE(panel->ruleLabel()->text(), QStringLiteral("obere Hälfte: an, untere Hälfte: aus"));
        auto* help = panel->findChild<QToolButton*>(QStringLiteral("led_blinkmuster_btn_handbuch"));
        QVERIFY(help != nullptr && help->isVisible());
        help->click();
        auto* manual = window->window.findChild<ManualWindow*>();
        QVERIFY(manual != nullptr);
        QVERIFY(manual->isVisible());
        QCOMPARE(manual->currentPage(), QStringLiteral("muster.html"));
        QCOMPARE(manual->browser()->source().fragment(), QStringLiteral("zeichnen"));
        manual->close();
    }

private:
    std::unique_ptr<RecordingDialogs> dialogs;
    std::unique_ptr<LightTestWindow> window;
    std::unique_ptr<PatternEditor> editor;
    PatternPanel* panel = nullptr;
};

HQ_TEST_CLASS(PatternRepaintTest)
#include "tst_PatternRepaint.moc"
