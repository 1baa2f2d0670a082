// The blink and LED preview played with a fake clock: which step and lamps show after a given
// time (count, stretch, loop, outputs not in use), pausing, edits while playing, the timer that
// only runs while frames change, the step signal for the canvases' cursor, and stopping when
// hidden. A picture of each preview mid-play is written to HQ_SHOTS_DIR for a look by eye.

#include "QtTestSuite.h"
#include "preview/PatternPreviewWidget.h"

#include <QDir>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using hq::LampState;
using Lamps = std::vector<LampState>;

Q_DECLARE_METATYPE(Lamps)

namespace {

constexpr LampState On = LampState::On;
constexpr LampState Off = LampState::Off;
constexpr LampState Grey = LampState::Unused;

// Address 2 of the blink firmware: four steps of 40 ms (stretch 2), outputs 1, 2 and 4 in use.
// Output 1 is on in steps 0 and 2, output 2 in step 1, output 4 in every step; output 3 is not in
// use although its step bits are set, so it must stay grey.
void fillBlink(hq::PatternBank& bank, bool loop) {
    bank.setCount(2, 4);
    bank.setStretch(2, 2);
    bank.setLoop(2, loop);
    for (int output : {1, 2, 4})
        bank.setOutputUsed(2, output, true);
    bank.setStep(2, 1, 0, true);
    bank.setStep(2, 1, 2, true);
    bank.setStep(2, 2, 1, true);
    for (int step = 0; step < 4; ++step) {
        bank.setStep(2, 3, step, true);
        bank.setStep(2, 4, step, true);
    }
}

} // namespace

class PatternPreviewTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void stepsAndLampsFollowTheElapsedTime_data();
    void stepsAndLampsFollowTheElapsedTime();
    void stretchSetsTheLengthOfAStep();
    void aLateFrameSkipsStepsInsteadOfSlowingDown();
    void pauseFreezesTheStepAndResumesFromIt();
    void editsWhilePlayingShowInTheNextStep();
    void theTimerRunsOnlyWhileFramesChange();
    void stopAndHidingEndThePlay();
    void nothingToPlayWithoutATable();
    void ledPreviewShowsTenOutputs();
    void anUnchangedFrameIsNotPaintedAgain();
    void pictures();

private:
    void play(PatternPreviewWidget& widget) {
        now = 0;
        widget.start();
    }
    void at(PatternPreviewWidget& widget, hq::Milliseconds time) {
        now = time;
        widget.refresh();
    }

    hq::Milliseconds now = 0;
    std::unique_ptr<hq::PatternBank> bank;
    std::unique_ptr<PatternPreviewWidget> preview;
};

void PatternPreviewTest::init() {
    now = 0;
    bank = std::make_unique<hq::PatternBank>(hq::kBlinkLayout);
    fillBlink(*bank, false);
    preview = std::make_unique<PatternPreviewWidget>(4);
    preview->setClock([this] { return now; });
    preview->setSource([this] { return PatternSelection{bank.get(), 2}; });
}

void PatternPreviewTest::stepsAndLampsFollowTheElapsedTime_data() {
    QTest::addColumn<bool>("loop");
    QTest::addColumn<qint64>("time");
    QTest::addColumn<int>("step");
    QTest::addColumn<Lamps>("lamps");
    QTest::newRow("start") << false << qint64{0} << 0 << Lamps{On, Off, Grey, On};
    QTest::newRow("end of step 1") << false << qint64{39} << 0 << Lamps{On, Off, Grey, On};
    QTest::newRow("step 2") << false << qint64{40} << 1 << Lamps{Off, On, Grey, On};
    QTest::newRow("step 3") << false << qint64{80} << 2 << Lamps{On, Off, Grey, On};
    QTest::newRow("step 4") << false << qint64{159} << 3 << Lamps{Off, Off, Grey, On};
    QTest::newRow("last step holds") << false << qint64{160} << 3 << Lamps{Off, Off, Grey, On};
    QTest::newRow("long after") << false << qint64{100000} << 3 << Lamps{Off, Off, Grey, On};
    QTest::newRow("loop starts again") << true << qint64{160} << 0 << Lamps{On, Off, Grey, On};
    QTest::newRow("loop, second round") << true << qint64{205} << 1 << Lamps{Off, On, Grey, On};
}

void PatternPreviewTest::stepsAndLampsFollowTheElapsedTime() {
    QFETCH(bool, loop);
    QFETCH(qint64, time);
    QFETCH(int, step);
    QFETCH(Lamps, lamps);
    bank->setLoop(2, loop);
    play(*preview);
    at(*preview, time);
    QCOMPARE(preview->shownStep(), step);
    QCOMPARE(preview->lamps(), lamps);
    QCOMPARE(preview->stepCount(), 4);
}

void PatternPreviewTest::stretchSetsTheLengthOfAStep() {
    bank->setStretch(2, 10); // 200 ms a step
    play(*preview);
    at(*preview, 199);
    QCOMPARE(preview->shownStep(), 0);
    at(*preview, 200);
    QCOMPARE(preview->shownStep(), 1);
    at(*preview, 799);
    QCOMPARE(preview->shownStep(), 3);
    QVERIFY(preview->isPlaying());
    at(*preview, 800);
    QVERIFY(!preview->isPlaying());
}

void PatternPreviewTest::aLateFrameSkipsStepsInsteadOfSlowingDown() {
    bank->setLoop(2, true);
    QSignalSpy shown(preview.get(), &PatternPreviewWidget::stepShown);
    play(*preview);
    QCOMPARE(shown.count(), 1);
    QCOMPARE(shown.takeFirst().at(0).toInt(), 0);
    // One frame after 130 ms: steps 1 and 2 were never painted, and the third shows on time.
    at(*preview, 130);
    QCOMPARE(preview->shownStep(), 3);
    QCOMPARE(shown.count(), 1);
    QCOMPARE(shown.takeFirst().at(0).toInt(), 3);
    // A frame within the same step reports nothing new.
    at(*preview, 150);
    QCOMPARE(shown.count(), 0);
}

void PatternPreviewTest::pauseFreezesTheStepAndResumesFromIt() {
    play(*preview);
    at(*preview, 90);
    preview->pause();
    QCOMPARE(preview->state(), hq::PreviewPlayer::State::Paused);
    QCOMPARE(preview->playButton()->text(), QStringLiteral("▶ Vorschau"));
    QVERIFY(!preview->frameTimerActive());
    at(*preview, 5000);
    QCOMPARE(preview->shownStep(), 2);
    QCOMPARE(preview->lamps(), (Lamps{On, Off, Grey, On}));

    // The button resumes: 90 ms were played, so 30 ms later step 4 begins.
    now = 5000;
    preview->playButton()->click();
    QCOMPARE(preview->state(), hq::PreviewPlayer::State::Running);
    QCOMPARE(preview->playButton()->text(), QStringLiteral("❚❚ Pause"));
    at(*preview, 5029);
    QCOMPARE(preview->shownStep(), 2);
    at(*preview, 5030);
    QCOMPARE(preview->shownStep(), 3);
    preview->playButton()->click();
    QCOMPARE(preview->state(), hq::PreviewPlayer::State::Paused);
}

void PatternPreviewTest::editsWhilePlayingShowInTheNextStep() {
    play(*preview);
    at(*preview, 45);
    QCOMPARE(preview->shownStep(), 1);
    // Output 2 switched on in step 2 and output 3 taken into use while step 1 shows.
    bank->setStep(2, 2, 2, true);
    bank->setOutputUsed(2, 3, true);
    at(*preview, 85);
    QCOMPARE(preview->lamps(), (Lamps{On, On, On, On}));

    // More steps while the last one holds: the play goes on instead of staying finished.
    at(*preview, 170);
    QVERIFY(!preview->isPlaying());
    bank->setCount(2, 6);
    at(*preview, 175);
    QVERIFY(preview->isPlaying());
    QVERIFY(preview->frameTimerActive());
    QCOMPARE(preview->shownStep(), 4);
    QCOMPARE(preview->stepCount(), 6);

    // Another address chosen in the editor plays at once with its own pattern.
    bank->setCount(3, 1);
    bank->setOutputUsed(3, 1, true);
    bank->setStep(3, 1, 0, true);
    preview->setSource([this] { return PatternSelection{bank.get(), 3}; });
    preview->start();
    QCOMPARE(preview->lamps(), (Lamps{On, Grey, Grey, Grey}));
}

void PatternPreviewTest::theTimerRunsOnlyWhileFramesChange() {
    QVERIFY(!preview->frameTimerActive());
    QCOMPARE(preview->playButton()->text(), QStringLiteral("▶ Vorschau"));
    QVERIFY(!preview->playButton()->toolTip().isEmpty());
    play(*preview);
    QVERIFY(preview->frameTimerActive());
    QCOMPARE(preview->playButton()->text(), QStringLiteral("❚❚ Pause"));
    at(*preview, 160);
    QVERIFY(!preview->frameTimerActive());
    QCOMPARE(preview->playButton()->text(), QStringLiteral("▶ Vorschau"));
    QCOMPARE(preview->shownStep(), 3);

    // Starting a finished preview plays it again from the first step.
    now = 400;
    preview->playButton()->click();
    QCOMPARE(preview->shownStep(), 0);
    QVERIFY(preview->frameTimerActive());

    // With loop the timer keeps running.
    bank->setLoop(2, true);
    at(*preview, 100000);
    QVERIFY(preview->frameTimerActive());
}

void PatternPreviewTest::stopAndHidingEndThePlay() {
    QSignalSpy shown(preview.get(), &PatternPreviewWidget::stepShown);
    play(*preview);
    at(*preview, 50);
    preview->stop();
    QCOMPARE(preview->state(), hq::PreviewPlayer::State::Stopped);
    QCOMPARE(preview->shownStep(), -1);
    QCOMPARE(shown.last().at(0).toInt(), -1);
    QVERIFY(!preview->frameTimerActive());
    // At rest every output in use is dark, whatever its first step holds.
    QCOMPARE(preview->lamps(), (Lamps{Off, Off, Grey, Off}));

    QWidget panel;
    preview->setParent(&panel);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    play(*preview);
    at(*preview, 50);
    QVERIFY(preview->isPlaying());
    shown.clear();
    panel.hide();
    QCOMPARE(preview->state(), hq::PreviewPlayer::State::Stopped);
    QVERIFY(!preview->frameTimerActive());
    QCOMPARE(shown.count(), 1);
    QCOMPARE(shown.at(0).at(0).toInt(), -1);
    preview->setParent(nullptr);
}

void PatternPreviewTest::nothingToPlayWithoutATable() {
    PatternPreviewWidget empty(4);
    empty.setClock([this] { return now; });
    QVERIFY(!empty.playButton()->isEnabled());
    empty.start();
    QCOMPARE(empty.state(), hq::PreviewPlayer::State::Stopped);
    QCOMPARE(empty.lamps(), (Lamps{Grey, Grey, Grey, Grey}));

    // A table that goes away while playing (another file loads) stops the play.
    const hq::PatternBank* shown = bank.get();
    empty.setSource([&shown] { return PatternSelection{shown, 2}; });
    QVERIFY(empty.playButton()->isEnabled());
    empty.start();
    QVERIFY(empty.isPlaying());
    shown = nullptr;
    empty.refresh();
    QCOMPARE(empty.state(), hq::PreviewPlayer::State::Stopped);
    QVERIFY(!empty.playButton()->isEnabled());
    QVERIFY(!empty.frameTimerActive());
}

void PatternPreviewTest::ledPreviewShowsTenOutputs() {
    hq::PatternBank led(hq::kLedLayout);
    led.setCount(1, 3);
    led.setStretch(1, 1);
    for (int output = 1; output <= 10; ++output)
        led.setOutputUsed(1, output, output != 6);
    // A running light over outputs 5, 7 and 10, whose steps live in the upper half of the block.
    led.setStep(1, 5, 0, true);
    led.setStep(1, 7, 1, true);
    led.setStep(1, 10, 2, true);
    PatternPreviewWidget ten(10);
    ten.setClock([this] { return now; });
    ten.setSource([&led] { return PatternSelection{&led, 1}; });
    now = 0;
    ten.start();
    QCOMPARE(ten.lamps().size(), std::size_t{10});
    QCOMPARE(ten.lamps()[4], On);
    QCOMPARE(ten.lamps()[5], Grey);
    QCOMPARE(ten.lamps()[6], Off);
    at(ten, 25);
    QCOMPARE(ten.lamps()[4], Off);
    QCOMPARE(ten.lamps()[6], On);
    at(ten, 45);
    QCOMPARE(ten.lamps()[9], On);
    QCOMPARE(ten.shownStep(), 2);
}

// Every mouse move of a stroke refreshes the preview; only a frame that differs is painted again.
void PatternPreviewTest::anUnchangedFrameIsNotPaintedAgain() {
    struct PaintCount : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            paints += event->type() == QEvent::Paint ? 1 : 0;
            return false;
        }
    } count;
    QWidget* view = preview->findChild<QWidget*>(QStringLiteral("preview_view"));
    QVERIFY(view != nullptr);
    preview->show();
    QVERIFY(QTest::qWaitForWindowExposed(preview.get()));
    QCoreApplication::processEvents();
    view->installEventFilter(&count);

    // Stopped, a step drawn changes nothing the preview shows: every lamp in use is dark.
    bank->setStep(2, 2, 3, true);
    preview->refresh();
    QCoreApplication::processEvents();
    QCOMPARE(count.paints, 0);
    // Another output in use, or another count, shows.
    bank->setOutputUsed(2, 3, true);
    preview->refresh();
    QCoreApplication::processEvents();
    QCOMPARE(count.paints, 1);
    bank->setCount(2, 5);
    preview->refresh();
    QCoreApplication::processEvents();
    QCOMPARE(count.paints, 2);
    QCOMPARE(preview->stepCount(), 5);

    // Playing, a new step is painted, the same step once only.
    play(*preview);
    QCoreApplication::processEvents();
    const int started = count.paints;
    QVERIFY(started > 2);
    at(*preview, 10);
    QCoreApplication::processEvents();
    QCOMPARE(count.paints, started);
    at(*preview, 45);
    QCoreApplication::processEvents();
    QCOMPARE(count.paints, started + 1);
    preview->hide();
}

void PatternPreviewTest::pictures() {
    QDir().mkpath(QStringLiteral(HQ_SHOTS_DIR));
    play(*preview);
    at(*preview, 50);
    QVERIFY(preview->grab().save(QStringLiteral(HQ_SHOTS_DIR "/preview-43.png")));
    preview->stop();
    QVERIFY(preview->grab().save(QStringLiteral(HQ_SHOTS_DIR "/preview-43-stopped.png")));

    hq::PatternBank led(hq::kLedLayout);
    led.setCount(1, 10);
    led.setLoop(1, true);
    for (int output = 1; output <= 10; ++output) {
        led.setOutputUsed(1, output, output <= 8);
        led.setStep(1, output, output - 1, true);
        led.setStep(1, output, output, true);
    }
    PatternPreviewWidget ten(10);
    ten.setClock([this] { return now; });
    ten.setSource([&led] { return PatternSelection{&led, 1}; });
    now = 0;
    ten.start();
    at(ten, 75);
    QVERIFY(ten.grab().save(QStringLiteral(HQ_SHOTS_DIR "/preview-45.png")));
}

HQ_TEST_CLASS(PatternPreviewTest)
#include "tst_PatternPreview.moc"
