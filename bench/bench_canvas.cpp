// A mouse move with the button held over the servo curve and over a blink pattern, in the real
// window on a demo firmware: the edit, the model update and the synchronous repaint of the canvas.

#include "main/AppFactory.h"
#include "main/TFormMain.h"

#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::unique_ptr<TFormMain> windowWith(const char* demo) {
    auto window = createMainWindow();
    window->show();
    window->loadFile(QStringLiteral(HQ_EXAMPLES_DIR "/") + QString::fromLatin1(demo));
    QApplication::processEvents();
    return window;
}

void dragAcross(benchmark::State& state, const char* demo, const char* canvasName) {
    auto window = windowWith(demo);
    QWidget* canvas = window->findChild<QWidget*>(QString::fromLatin1(canvasName));
    if (!canvas || !canvas->isVisible()) {
        state.SkipWithError("canvas not shown");
        return;
    }
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), canvas->mapToGlobal(QPointF(5, 5)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &press);
    int x = 0;
    for (auto _ : state) {
        x = (x + 7) % canvas->width();
        const QPointF at(x, (x * 3) % canvas->height());
        QMouseEvent move(QEvent::MouseMove, at, canvas->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(canvas, &move);
        canvas->repaint();
    }
}

void ServoCurveCanvas(benchmark::State& state) {
    dragAcross(state, "demo-42-mm.hex", "servo_Image1");
}
void BlinkCanvas(benchmark::State& state) {
    dragAcross(state, "demo-43-mm.hex", "Image_Blink1");
}

BENCHMARK(ServoCurveCanvas)->Unit(benchmark::kMicrosecond);
BENCHMARK(BlinkCanvas)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
