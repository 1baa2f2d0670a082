// The cursor the canvases draw at the step or point a preview shows: it covers exactly the step's
// bar or the point's neighbourhood, and it shows even on the narrow steps of a long LED pattern.

#include "QtTestSuite.h"
#include "preview/StepCursor.h"

#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

bool tinted(const QImage& image, int x, int y) {
    return image.pixelColor(x, y) != QColor(Qt::white);
}

QImage paintedCursor(CursorSpan span) {
    QImage image(100, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintStepCursor(painter, QRectF(image.rect()), span);
    painter.end();
    return image;
}

} // namespace

class StepCursorTest : public QObject {
    Q_OBJECT

private slots:
    void patternStepSpanIsTheStepsBar();
    void curvePointSpanReachesHalfwayToTheNeighbours();
    void theBandCoversTheSpanOverTheWholeHeight();
    void aNarrowSpanStillShows();
};

void StepCursorTest::patternStepSpanIsTheStepsBar() {
    // The blink canvas: 10 steps over 410 - 10 pixels, 40 pixels a step.
    const hq::PatternCanvasMapping mapping(410, 128, 10);
    QCOMPARE(patternStepSpan(mapping, 0), (CursorSpan{0, 40}));
    QCOMPARE(patternStepSpan(mapping, 3), (CursorSpan{120, 160}));
    const hq::BarRect bar = mapping.bar(9);
    QCOMPARE(patternStepSpan(mapping, 9), (CursorSpan{double(bar.x1), double(bar.x2)}));
    // Beyond the steps: the nearest one, never a span outside the canvas.
    QCOMPARE(patternStepSpan(mapping, 25), patternStepSpan(mapping, 9));
    QCOMPARE(patternStepSpan(mapping, -4), patternStepSpan(mapping, 0));
}

void StepCursorTest::curvePointSpanReachesHalfwayToTheNeighbours() {
    const hq::CurveCanvasGeometry geometry(513, 201, 20);
    const CursorSpan span = curvePointSpan(geometry, 5);
    QCOMPARE((span.left + span.right) / 2, double(geometry.pointX(5)));
    QCOMPARE(span.right - span.left, geometry.xStep());
}

void StepCursorTest::theBandCoversTheSpanOverTheWholeHeight() {
    const QImage image = paintedCursor({30, 50});
    QVERIFY(tinted(image, 40, 0));
    QVERIFY(tinted(image, 40, 39));
    QVERIFY(tinted(image, 31, 20));
    QVERIFY(!tinted(image, 20, 20));
    QVERIFY(!tinted(image, 60, 20));
}

void StepCursorTest::aNarrowSpanStillShows() {
    // One step of a 100-step LED pattern on a 410-pixel canvas is 4 pixels; a point span of
    // under a pixel must still give a visible band.
    const QImage image = paintedCursor({50.2, 50.6});
    int columns = 0;
    for (int x = 0; x < image.width(); ++x)
        columns += tinted(image, x, 20) ? 1 : 0;
    QVERIFY2(columns >= 3, qPrintable(QString::number(columns)));
    QVERIFY(columns <= 5);
}

HQ_TEST_CLASS(StepCursorTest)
#include "tst_StepCursor.moc"
