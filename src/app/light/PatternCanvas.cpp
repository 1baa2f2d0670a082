#include "light/PatternCanvas.h"

#include "document/PatternEdits.h"

#include <QPainter>

PatternCanvas::PatternCanvas(int output, int width, int height, QWidget* parent)
    : StrokeCanvas(parent), output_(output) {
    setFixedSize(width, height);
    setAttribute(Qt::WA_StaticContents);
}

void PatternCanvas::showPattern(const PatternEdits* edits, int address) {
    edits_ = edits;
    address_ = address;
    update();
}

int PatternCanvas::count() const {
    const std::optional<hq::PatternView> pattern = edits_ ? edits_->shown() : std::nullopt;
    return pattern ? pattern->count(address_) : 1;
}

std::vector<bool> PatternCanvas::steps() const {
    const std::optional<hq::PatternView> pattern = edits_ ? edits_->shown() : std::nullopt;
    if (!pattern)
        return std::vector<bool>(1, false);
    std::vector<bool> steps(static_cast<std::size_t>(pattern->count(address_)));
    for (std::size_t i = 0; i < steps.size(); ++i)
        steps[i] = pattern->step(address_, output_, static_cast<int>(i));
    return steps;
}

hq::PatternCanvasMapping PatternCanvas::mapping() const {
    return {width(), height(), count()};
}

std::optional<StrokeCanvas::DrawnPoint> PatternCanvas::pointAt(QPointF position) const {
    const QPoint at = position.toPoint();
    const hq::PatternCanvasMapping map = mapping();
    return DrawnPoint{map.stepForX(at.x()), map.switchesOnAt(at.y()) ? 1 : 0};
}

void PatternCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::red);
    const std::vector<bool> shown = steps();
    const hq::PatternCanvasMapping map(width(), height(), static_cast<int>(shown.size()));
    for (int i = 0; i < static_cast<int>(shown.size()); ++i) {
        if (!shown[static_cast<std::size_t>(i)])
            continue;
        const hq::BarRect bar = map.bar(i);
        // The outline covers x1..x2-1 and y1..y2-1, as the bar's edges are exclusive.
        painter.drawRect(QRect(bar.x1, bar.y1, bar.x2 - bar.x1 - 1, bar.y2 - bar.y1 - 1));
    }
    paintPlayCursor(painter);
}

std::optional<CursorSpan> PatternCanvas::cursorSpan(int index) const {
    return patternStepSpan(mapping(), index);
}
