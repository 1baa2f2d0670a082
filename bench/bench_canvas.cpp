// A mouse move with the button held over the servo curve and over a blink pattern, in the real
// window on a demo firmware: the edit, the document's update and the views that follow it, and the
// synchronous repaint of the canvas.

#include "document/FirmwareDocument.h"
#include "main/AppFactory.h"
#include "main/TFormMain.h"

#include <QAbstractButton>
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

// The servo curve through the document: strokes of 48 mouse moves as a user draws them (press, moves,
// release), each move changing a point of the working copy, the change named and everything it
// touched repainted before the next (the drawing around the point, the preview where its frame
// changed, and whatever else a view repaints). The press and release of each stroke, its undo step,
// are part of the time.
void ServoCurveCanvas(benchmark::State& state) {
    constexpr int kMovesPerStroke = 48;
    auto window = windowWith("demo-42-mm.hex");
    QWidget* canvas = window->findChild<QWidget*>(QStringLiteral("servo_Image1"));
    if (!canvas || !canvas->isVisible()) {
        state.SkipWithError("canvas not shown");
        return;
    }
    auto send = [canvas](QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, at, canvas->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(canvas, &event);
    };
    int moves = 0;
    int x = 0;
    QPointF at(5, 5);
    for (auto _ : state) {
        if (moves == 0)
            send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        x = (x + 7) % canvas->width();
        at = QPointF(x, (x * 3) % canvas->height());
        send(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        if (++moves == kMovesPerStroke) {
            send(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
            moves = 0;
        }
    }
    if (moves > 0)
        send(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}
// A drag over the first blink drawing in which every move switches a step: on in the upper half, then
// off again in the lower half of the same place, then on to the next place. Each move is a change of
// the document's working copy within the stroke, followed by the views that show it; the drawing
// repaints synchronously.
void BlinkCanvas(benchmark::State& state) {
    // Counted, not compared at the end: the moves switch steps on and off again, so after an even
    // number of them the drawing may be as it was before. (Before the window, which it outlives.)
    int changes = 0;
    auto window = windowWith("demo-43-mm.hex");
    QWidget* canvas = window->findChild<QWidget*>(QStringLiteral("Image_Blink1"));
    if (!canvas || !canvas->isVisible()) {
        state.SkipWithError("canvas not shown");
        return;
    }
    // Address 1 differs from the file already (its loop switched), as it does after the first
    // strokes: its marks and "Übernehmen" stay as they are while the stroke draws.
    if (auto* loop = window->findChild<QAbstractButton*>(QStringLiteral("blinkmuster_cbx_loop")))
        loop->click();
    const FirmwareDocument* document = window->document();
    QObject::connect(document, &FirmwareDocument::changed, [&changes] { ++changes; });
    const int low = canvas->height() - 2;
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, low), canvas->mapToGlobal(QPointF(5, low)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &press);
    int move = 0;
    for (auto _ : state) {
        const QPointF at((move / 2 * 37) % canvas->width(), move % 2 == 0 ? 2 : low);
        ++move;
        QMouseEvent drag(QEvent::MouseMove, at, canvas->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(canvas, &drag);
        canvas->repaint();
    }
    // The moves went through the document: it is inside the stroke, which changed its working copy
    // (the first move switches on what is on already).
    if (!document->inStroke() || (move > 1 && changes == 0))
        state.SkipWithError("the moves did not reach the document");
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
