// The servo preview played with a fake clock: the point, arm position and relay lamp after a given
// time, holding the last point, pausing, edits while playing, the point signal for the curve
// canvas's cursor, and stopping when hidden. A picture mid-play goes to HQ_SHOTS_DIR.

#include "QtTestSuite.h"
#include "preview/ServoPreviewWidget.h"
#include "servo/CurveTransform.h"

#include <QDir>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// Five points 20 ms apart (stretch 1) rising from 0 to 127; the relay is on at the third point.
hq::CurveBlock risingCurve() {
    hq::CurveBlock curve{};
    const int positions[] = {0, 30, 60, 90, 127};
    for (int i = 0; i < 5; ++i)
        curve[static_cast<std::size_t>(i)] = positions[i];
    curve[2] |= hq::kRelayBit;
    curve[hq::kCurveCountEntry] = 5;
    curve[hq::kCurveStretchEntry] = 1;
    return curve;
}

} // namespace

class ServoPreviewTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void armAndRelayFollowTheElapsedTime_data();
    void armAndRelayFollowTheElapsedTime();
    void stretchSetsTheTimeBetweenPoints();
    void aStretchAboveTheLimitPlaysToTheLastPoint();
    void pauseFreezesTheArm();
    void editsWhilePlayingShowAtTheNextPoint();
    void anEditShowsInAPausedPreviewWithinAFrame();
    void pointSignalAndStop();
    void hidingStopsThePlay();
    void nothingToPlayWithoutACurve();
    void picture();

private:
    void at(hq::Milliseconds time) {
        now = time;
        preview->refresh();
    }

    hq::Milliseconds now = 0;
    hq::CurveBlock curve{};
    std::unique_ptr<ServoPreviewWidget> preview;
};

void ServoPreviewTest::init() {
    now = 0;
    curve = risingCurve();
    preview = std::make_unique<ServoPreviewWidget>();
    preview->setClock([this] { return now; });
    preview->setSource([this] { return &curve; });
}

void ServoPreviewTest::armAndRelayFollowTheElapsedTime_data() {
    QTest::addColumn<qint64>("time");
    QTest::addColumn<int>("point");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("relay");
    QTest::newRow("start") << qint64{0} << 0 << 0 << false;
    QTest::newRow("just before point 2") << qint64{19} << 0 << 0 << false;
    QTest::newRow("point 2") << qint64{20} << 1 << 30 << false;
    QTest::newRow("point 3, relay") << qint64{45} << 2 << 60 << true;
    QTest::newRow("point 4, relay off") << qint64{60} << 3 << 90 << false;
    QTest::newRow("last point") << qint64{80} << 4 << 127 << false;
    QTest::newRow("last point holds") << qint64{10000} << 4 << 127 << false;
}

void ServoPreviewTest::armAndRelayFollowTheElapsedTime() {
    QFETCH(qint64, time);
    QFETCH(int, point);
    QFETCH(int, position);
    QFETCH(bool, relay);
    preview->start();
    at(time);
    QCOMPARE(preview->shownPoint(), point);
    QCOMPARE(preview->position(), position);
    QCOMPARE(preview->relayLit(), relay);
    QCOMPARE(preview->pointCount(), 5);
    // The sweep ends with the last point: (5 - 1) x 20 ms.
    QCOMPARE(preview->isPlaying(), time < 80);
}

void ServoPreviewTest::stretchSetsTheTimeBetweenPoints() {
    curve[hq::kCurveStretchEntry] = 10; // "Zeit zwischen 2 Punkten = 200 ms"
    preview->start();
    at(199);
    QCOMPARE(preview->shownPoint(), 0);
    at(400);
    QCOMPARE(preview->shownPoint(), 2);
    QVERIFY(preview->relayLit());
    // A stored stretch of 0 counts as 1, as in the firmware.
    curve[hq::kCurveStretchEntry] = 0;
    now = 1000;
    preview->stop();
    preview->start();
    at(1020);
    QCOMPARE(preview->shownPoint(), 1);
}

// A stretch byte above the editor's 200 (a file can hold up to 255) counts as 200 for the time between
// points and for the length of the sweep alike, so the sweep ends on the last point.
void ServoPreviewTest::aStretchAboveTheLimitPlaysToTheLastPoint() {
    curve[hq::kCurveStretchEntry] = 250;
    preview->start();
    at(4 * 20 * 200 - 1);
    QCOMPARE(preview->shownPoint(), 3);
    QVERIFY(preview->isPlaying());
    at(4 * 20 * 200);
    QCOMPARE(preview->shownPoint(), 4);
    QCOMPARE(preview->position(), 127);
    QVERIFY(!preview->isPlaying());
    at(10 * 20 * 250);
    QCOMPARE(preview->shownPoint(), 4);
}

void ServoPreviewTest::pauseFreezesTheArm() {
    preview->start();
    at(50);
    preview->playButton()->click();
    QCOMPARE(preview->state(), hq::PreviewPlayer::State::Paused);
    at(3000);
    QCOMPARE(preview->shownPoint(), 2);
    QCOMPARE(preview->position(), 60);
    QVERIFY(preview->relayLit());
    QVERIFY(!preview->frameTimerActive());
    preview->playButton()->click();
    at(3010);
    QCOMPARE(preview->shownPoint(), 3);
}

void ServoPreviewTest::editsWhilePlayingShowAtTheNextPoint() {
    preview->start();
    at(25);
    QCOMPARE(preview->shownPoint(), 1);
    hq::setPointPosition(curve, 2, 100);
    hq::setPointRelay(curve, 2, false);
    at(41);
    QCOMPARE(preview->position(), 100);
    QVERIFY(!preview->relayLit());
    // Fewer points while playing: the sweep ends at the new last point.
    curve[hq::kCurveCountEntry] = 3;
    at(70);
    QCOMPARE(preview->shownPoint(), 2);
    QVERIFY(!preview->isPlaying());
}

// An editor reports edits with showEdit: the many moves of a stroke are taken as one frame, within a
// frame interval, also while the preview is paused.
void ServoPreviewTest::anEditShowsInAPausedPreviewWithinAFrame() {
    preview->start();
    at(45);
    preview->pause();
    QCOMPARE(preview->position(), 60);
    for (int position : {70, 80, 90}) {
        hq::setPointPosition(curve, 2, position);
        preview->showEdit();
    }
    QCOMPARE(preview->position(), 60);
    QTRY_COMPARE(preview->position(), 90);
    QCOMPARE(preview->state(), hq::PreviewPlayer::State::Paused);
}

void ServoPreviewTest::pointSignalAndStop() {
    QSignalSpy shown(preview.get(), &ServoPreviewWidget::pointShown);
    preview->start();
    at(10);
    at(65);
    QCOMPARE(shown.count(), 2);
    QCOMPARE(shown.at(0).at(0).toInt(), 0);
    QCOMPARE(shown.at(1).at(0).toInt(), 3);
    preview->stop();
    QCOMPARE(shown.last().at(0).toInt(), -1);
    // At rest the arm stands at the first point with the relay off.
    QCOMPARE(preview->shownPoint(), -1);
    QCOMPARE(preview->position(), 0);
    QVERIFY(!preview->relayLit());
    QVERIFY(!preview->frameTimerActive());
}

void ServoPreviewTest::hidingStopsThePlay() {
    QWidget panel;
    preview->setParent(&panel);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    preview->start();
    at(30);
    QVERIFY(preview->frameTimerActive());
    preview->hide();
    QCOMPARE(preview->state(), hq::PreviewPlayer::State::Stopped);
    QVERIFY(!preview->frameTimerActive());
    QCOMPARE(preview->shownPoint(), -1);
    preview->setParent(nullptr);
}

void ServoPreviewTest::nothingToPlayWithoutACurve() {
    preview->setSource([] { return static_cast<const hq::CurveBlock*>(nullptr); });
    QVERIFY(!preview->playButton()->isEnabled());
    preview->toggle();
    QCOMPARE(preview->state(), hq::PreviewPlayer::State::Stopped);
    QCOMPARE(preview->pointCount(), 0);
}

void ServoPreviewTest::picture() {
    QDir().mkpath(QStringLiteral(HQ_SHOTS_DIR));
    for (int i = 0; i < 20; ++i)
        curve[static_cast<std::size_t>(i)] = 20 + i * 4 + (i >= 12 ? hq::kRelayBit : 0);
    curve[hq::kCurveCountEntry] = 20;
    preview->start();
    at(300);
    QVERIFY(preview->relayLit());
    QVERIFY(preview->grab().save(QStringLiteral(HQ_SHOTS_DIR "/preview-42.png")));
}

HQ_TEST_CLASS(ServoPreviewTest)
#include "tst_ServoPreview.moc"
