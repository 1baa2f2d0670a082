// One preview frame as the window makes it every 30 ms while playing: the frame worked out from
// the clock and the source (core step and point functions), then painted into a QImage. For the
// LED preview (10 lamps) and the servo preview (arm, scale, relay lamp); both must stay well under
// a millisecond so that playing never competes with editing.

#include "light/PatternBank.h"
#include "preview/PatternPreviewWidget.h"
#include "preview/ServoPreviewWidget.h"
#include "servo/ServoData.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

// Computes the next frame (30 ms on) and paints it into `image`.
void frame(PreviewWidget& preview, hq::Milliseconds& now, QImage& image) {
    now += PreviewWidget::kFrameIntervalMs;
    preview.refresh();
    QPainter painter(&image);
    preview.paintFrame(painter, QRectF(image.rect()));
}

void LedPreviewFrame(benchmark::State& state) {
    hq::PatternBank bank(hq::kLedLayout);
    bank.setCount(1, 100);
    bank.setStretch(1, 1);
    bank.setLoop(1, true);
    for (int output = 1; output <= 10; ++output) {
        bank.setOutputUsed(1, output, true);
        for (int step = 0; step < 100; step += output)
            bank.setStep(1, output, step, true);
    }
    PatternPreviewWidget preview(10);
    hq::Milliseconds now = 0;
    preview.setClock([&now] { return now; });
    preview.setSource([&bank] { return PatternSelection{&bank, 1}; });
    preview.start();
    QImage image(328, 66, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        frame(preview, now, image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void ServoPreviewFrame(benchmark::State& state) {
    hq::CurveBlock curve{};
    for (int i = 0; i < hq::kMaxCurvePoints; ++i)
        curve[static_cast<std::size_t>(i)] = (i * 127 / 99) | (i % 20 < 10 ? 0x80 : 0);
    curve[hq::kCurveCountEntry] = hq::kMaxCurvePoints;
    curve[hq::kCurveStretchEntry] = 1;
    ServoPreviewWidget preview;
    hq::Milliseconds now = 0;
    preview.setClock([&now] { return now; });
    preview.setSource([&curve] { return &curve; });
    QImage image(234, 166, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        // The sweep lasts 1980 ms; start it again before it ends so every frame moves the arm.
        if (!preview.isPlaying()) {
            preview.stop();
            preview.start();
        }
        frame(preview, now, image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

BENCHMARK(LedPreviewFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(ServoPreviewFrame)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
