#include "light/PatternCanvas.h"

#include <QMouseEvent>
#include <QPainter>

PatternCanvas::PatternCanvas(int width, int height, QWidget* parent)
    : QWidget(parent), steps_(1, false), mapping_(width, height, 1) {
    setFixedSize(width, height);
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_OpaquePaintEvent);
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
}

void PatternCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    drawing_ = true;
    drawAt(event->position().toPoint());
}

void PatternCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (drawing_ && (event->buttons() & Qt::LeftButton))
        drawAt(event->position().toPoint());
}

void PatternCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        drawing_ = false;
}

void PatternCanvas::drawAt(QPoint position) {
    emit stepDrawn(mapping_.stepForX(position.x()), mapping_.switchesOnAt(position.y()));
}
