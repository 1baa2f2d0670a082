#include "light/PatternCanvas.h"

#include <QPainter>

PatternCanvas::PatternCanvas(int width, int height, QWidget* parent)
    : StrokeCanvas(parent), steps_(1, false), mapping_(width, height, 1) {
    setFixedSize(width, height);
    setAttribute(Qt::WA_StaticContents);
}

void PatternCanvas::setSteps(std::vector<bool> steps) {
    if (steps.empty())
        steps.push_back(false);
    if (steps == steps_)
        return;
    steps_ = std::move(steps);
    mapping_ = hq::PatternCanvasMapping(width(), height(), static_cast<int>(steps_.size()));
    update();
}

std::optional<StrokeCanvas::DrawnPoint> PatternCanvas::pointAt(QPointF position) const {
    const QPoint at = position.toPoint();
    return DrawnPoint{mapping_.stepForX(at.x()), mapping_.switchesOnAt(at.y()) ? 1 : 0};
}

void PatternCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::red);
    for (int i = 0; i < static_cast<int>(steps_.size()); ++i) {
        if (!steps_[static_cast<std::size_t>(i)])
            continue;
        hq::BarRect bar = mapping_.bar(i);
        // The outline covers x1..x2-1 and y1..y2-1, as the bar's edges are exclusive.
        painter.drawRect(QRect(bar.x1, bar.y1, bar.x2 - bar.x1 - 1, bar.y2 - bar.y1 - 1));
    }
    paintPlayCursor(painter);
}

std::optional<CursorSpan> PatternCanvas::cursorSpan(int index) const {
    if (steps_.empty())
        return std::nullopt;
    return patternStepSpan(mapping_, index);
}
